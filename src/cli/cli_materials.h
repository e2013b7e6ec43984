// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "materials/material_file.h"

namespace mertano::cli {

// Gravity.grv of the working folder, read the first time a request names a material and
// never written. A damaged file gives its whole records and a warning; a file that
// cannot be read, or none at all, gives a warning and no table, and the mass is then
// left out rather than shown as a 0 that the file never said.
class CliMaterials {
public:
    using Warn = std::function<void(const std::string&)>;
    explicit CliMaterials(Warn warn) : warn_(std::move(warn)) {}

    const MaterialTable* table();

    // Whether `material` asks for a mass the table can give: a blank name asks for none;
    // any other must be in the table as the window's material box finds it (trimmed,
    // letter case and all), or its mass would be a 0 that the file never said.
    static bool Holds(const MaterialTable& table, const std::string& material);
    // Why a name that table() does not hold has no mass, with the names it does hold.
    std::string notHeld(const std::string& material);

private:
    Warn warn_;
    bool read_ = false;
    std::optional<MaterialTable> table_;
    std::string path_;
    std::optional<std::string> held_;  // the names for notHeld, listed once
};

// The warning for a mass left out because `unit` has no factor to kilograms; `batch`: one
// warning stands for every such line.
std::string MassUnitWarning(std::string_view unit, bool batch);

}  // namespace mertano::cli
