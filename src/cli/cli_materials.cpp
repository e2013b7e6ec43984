// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_materials.h"

#include "materials/material_store.h"

namespace mertano::cli {

const MaterialTable* CliMaterials::table() {
    if (!read_) {
        read_ = true;
        MaterialStore store = MaterialStore::InWorkingFolder();
        if (std::optional<MaterialError> error = store.LoadMaterials()) {
            warn_(error->message.toStdString() + " The mass is left out.");
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

}  // namespace mertano::cli
