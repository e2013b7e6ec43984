// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "materials/material_file.h"

namespace mertano::cli {

// Gravity.grv of the working folder, read the first time a request names a material and
// never written. A damaged file gives its whole records and a warning; a file that
// cannot be read gives a warning and no table, and the mass is then left out rather
// than shown as a 0 that the file never said.
class CliMaterials {
public:
    using Warn = std::function<void(const std::string&)>;
    explicit CliMaterials(Warn warn) : warn_(std::move(warn)) {}

    const MaterialTable* table();

private:
    Warn warn_;
    bool read_ = false;
    std::optional<MaterialTable> table_;
};

}  // namespace mertano::cli
