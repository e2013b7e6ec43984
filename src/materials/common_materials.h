// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Materials a list can start with: everyday metals, plastics, woods and building
// materials with a typical specific gravity each. Their names are language texts, so the
// list is named in the language the user reads.

#include <span>

#include "materials/material_file.h"

namespace mertano {

class LanguageTexts;

struct CommonMaterial {
    int text;             // the language text that names it
    long double gravity;  // g/cm3
};

// One per text from kTextFirstCommonMaterial to kTextLastCommonMaterial, in that order.
std::span<const CommonMaterial> CommonMaterials();

// `table` with every common material it lacks appended, in the order above, named as
// `texts` word them and made to fit a record. A name the table already holds, compared
// as the file compares names (trimmed, exact, letter case included), is left as it is,
// and no name is appended twice. `added` is how many were appended.
MaterialTable AddCommonMaterials(MaterialTable table, const LanguageTexts& texts, int& added);

}  // namespace mertano
