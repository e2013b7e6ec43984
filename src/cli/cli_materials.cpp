// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_materials.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

#include "materials/material_store.h"

namespace mertano::cli {
namespace {

// A list of millions of names helps nobody find a typing mistake.
constexpr qsizetype kNamesListed = 30;

std::string HeldNames(const MaterialTable& table) {
    QSet<QString> seen;
    QStringList names;
    for (const QString& name : MaterialNames(table)) {
        if (seen.contains(name)) continue;
        seen.insert(name);
        names << name;
    }
    if (names.isEmpty()) return "which holds no materials";
    std::string list = "which holds";
    for (qsizetype k = 0; k < std::min(names.size(), kNamesListed); ++k) {
        list += k == 0 ? " \"" : ", \"";
        list += names[k].toStdString();
        list += '"';
    }
    if (names.size() > kNamesListed) {
        list += " and ";
        list += std::to_string(names.size() - kNamesListed);
        list += " more";
    }
    return list + " (names are compared exactly, letter case too)";
}

}  // namespace

const MaterialTable* CliMaterials::table() {
    if (!read_) {
        read_ = true;
        MaterialStore store = MaterialStore::InWorkingFolder();
        path_ = QDir::toNativeSeparators(store.path()).toStdString();
        if (std::optional<MaterialError> error = store.LoadMaterials()) {
            warn_(error->message.toStdString() + " The mass is left out.");
        } else if (!QFileInfo::exists(store.path())) {
            // The store reads a missing file as an empty list, whose every mass would be 0.
            warn_("There is no material file " + path_ + ". The mass is left out.");
        } else {
            if (std::optional<QString> damage =
                    store.TakeDamageReport(MaterialStore::Reader::ReadOnly)) {
                warn_(damage->toStdString());
            }
            table_ = store.table();
        }
    }
    return table_ ? &*table_ : nullptr;
}

bool CliMaterials::Holds(const MaterialTable& table, const std::string& material) {
    const QString name = QString::fromStdString(material);
    return TrimMaterialText(name).isEmpty() || FindGravity(table, name).has_value();
}

std::string CliMaterials::notHeld(const std::string& material) {
    if (!held_) held_ = table() ? HeldNames(*table()) : std::string("which could not be read");
    return "the material \"" + TrimMaterialText(QString::fromStdString(material)).toStdString() +
           "\" is not in " + path_ + ", " + *held_;
}

std::string MassUnitWarning(std::string_view unit, bool batch) {
    const std::string units = "mm, cm, dm, m, in and ft";
    if (batch) {
        return "the mass is left out of every line whose unit is none of " + units +
               " (such as \"" + std::string(unit) + "\")";
    }
    return "the mass is left out: the unit \"" + std::string(unit) + "\" is none of " + units;
}

}  // namespace mertano::cli
