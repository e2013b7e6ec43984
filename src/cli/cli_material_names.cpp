// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_material_names.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <optional>

#include "cli/cli_stdio.h"
#include "materials/material_store.h"

namespace mertano::cli {

std::string MaterialNamesText(const MaterialTable& table) {
    QStringList names = MaterialNames(table);
    names.sort();
    names.removeDuplicates();
    std::string out;
    for (const QString& name : names) {
        if (std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 32; }))
            continue;
        out += name.toStdString();
        out += '\n';
    }
    return out;
}

int PrintMaterialNames() {
    MaterialStore store = MaterialStore::InWorkingFolder();
    if (const std::optional<MaterialError> error = store.LoadMaterials()) {
        PrintError(error->message.toStdString());
        return kIoError;
    }
    if (!QFileInfo::exists(store.path())) {
        PrintError("There is no material file " +
                   QDir::toNativeSeparators(store.path()).toStdString() + ".");
    } else if (const std::optional<QString> damage =
                   store.TakeDamageReport(MaterialStore::Reader::ReadOnly)) {
        PrintError(damage->toStdString());
    }
    return Emit(MaterialNamesText(store.table()), 0);
}

}  // namespace mertano::cli
