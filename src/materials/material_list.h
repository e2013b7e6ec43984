// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The material names of a store in a combo box, for the main window and the materials
// dialog alike.
//
// A list of a million materials must neither take seconds each time a dialog closes nor
// grow in time faster than the list does. So the names are sorted once, as plain strings
// (a combo box's own model sorts item by item and leaves its rows in an order that makes
// clearing them quadratic), handed to the box in one piece, and handed again only when
// the store's table has changed since, or something was typed into the box's list.

#include <QCollator>
#include <QCollatorSortKey>
#include <QComboBox>
#include <QStringListModel>
#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "materials/material_store.h"

namespace mertano {

enum class MaterialOrder {
    CodeUnits,  // the main window's: as QString compares, letter case first
    ForTheEye,  // the dialog's: the user's collation, without regard to case
};

// The names of MaterialNames(), sorted; equal names in the collation keep the table's order.
inline QStringList SortedMaterialNames(const MaterialTable& table, MaterialOrder order) {
    QStringList names = MaterialNames(table);
    if (order == MaterialOrder::CodeUnits) {
        // Sorted as keys side by side in one block rather than through the names' own
        // storage, which lies all over the heap: at a million names, fetching two names
        // from memory for every comparison is what the sort would spend its time on.
        // A name has at most 20 code units (its bytes, however decoded); stored high
        // byte first and padded with zeros, memcmp orders them as QString does, and the
        // length settles a name that ends where another holds a zero.
        struct Key {
            std::array<unsigned char, 2 * kMaterialNameBytes> units{};
            qsizetype length;
            qsizetype index;
        };
        std::vector<Key> keys(std::size_t(names.size()));
        for (qsizetype k = 0; k < names.size(); ++k) {
            Key& key = keys[std::size_t(k)];
            const QString& name = names[k];
            key.length = std::min<qsizetype>(name.size(), kMaterialNameBytes);
            for (qsizetype u = 0; u < key.length; ++u) {
                key.units[std::size_t(2 * u)] = static_cast<unsigned char>(name[u].unicode() >> 8);
                key.units[std::size_t(2 * u + 1)] = static_cast<unsigned char>(name[u].unicode());
            }
            key.index = k;
        }
        std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
            const int c = std::memcmp(a.units.data(), b.units.data(), a.units.size());
            return c != 0 ? c < 0 : a.length < b.length;
        });
        QStringList sorted;
        sorted.reserve(names.size());
        for (const Key& key : keys) sorted.append(std::move(names[key.index]));
        return sorted;
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // The C locale has no collation: there the collator compares as QString does, which
    // is cheap, and its sort keys would not set the letter case aside.
    if (collator.locale().language() == QLocale::C) {
        std::stable_sort(
            names.begin(), names.end(),
            [&collator](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
        return names;
    }
    // A key per name costs one collation each; comparing names would cost one per
    // comparison, many times more.
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(std::size_t(names.size()));
    for (qsizetype k = 0; k < names.size(); ++k) keys.emplace_back(collator.sortKey(names[k]), k);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const auto& key : keys) sorted.append(std::move(names[key.second]));
    return sorted;
}

// The box's model: a plain list of strings that remembers which table it holds.
class MaterialListModel : public QStringListModel {
public:
    using QStringListModel::QStringListModel;

    quint64 listed = 0;  // the store generation shown; 0: to be filled again

    // A name typed into the box and kept by its insert policy: the list no longer is the
    // table's.
    bool insertRows(int row, int count, const QModelIndex& parent = {}) override {
        listed = 0;
        return QStringListModel::insertRows(row, count, parent);
    }
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override {
        listed = 0;
        return QStringListModel::removeRows(row, count, parent);
    }
};

// Lists the store's table in the box unless the box already shows it; true when it was
// listed anew (what the box showed as chosen is then gone).
inline bool ListMaterials(QComboBox* box, const MaterialStore& store, MaterialOrder order) {
    auto* model = dynamic_cast<MaterialListModel*>(box->model());
    if (!model) {
        model = new MaterialListModel(box);
        box->setModel(model);  // the box deletes the model it made itself
    }
    if (model->listed == store.generation()) return false;
    model->setStringList(SortedMaterialNames(store.table(), order));
    model->listed = store.generation();
    return true;
}

}  // namespace mertano
