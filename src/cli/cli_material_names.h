// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// mertano-cli --list-materials: the names a --material may give, for people and for the
// shell's completion.

#include <string>

#include "materials/material_file.h"

namespace mertano::cli {

// Each name of the table once, sorted as the window's material box sorts them, one a
// line. A name that holds a control character is left out: it would not be one line.
std::string MaterialNamesText(const MaterialTable& table);

// The names of Gravity.grv in the working folder on standard output: 0 when written (a
// missing file lists nothing, with a note on standard error; a damaged one its whole
// records, with a warning), kIoError when the file or the output failed.
int PrintMaterialNames();

}  // namespace mertano::cli
