// SPDX-License-Identifier: GPL-3.0-or-later
#include "field.h"

namespace mertano {
namespace {

struct FieldNames {
    std::string_view control;
    std::string_view value;
};

constexpr std::array<FieldNames, kFieldCount> kFieldNames = {{
    {"AoldEdit", "a"},
    {"BoldEdit", "b"},
    {"ColdEdit", "c"},
    {"AlfaEdit", "alfa"},
    {"SugarEdit", "r"},
    {"AtmeroEdit", "d"},
    {"IvEdit", "i"},
    {"HurEdit", "h"},
    {"BetaEdit", "beta"},
    {"GammaEdit", "gamma"},
    {"MagasEdit1", "ma"},
    {"MagasEdit2", "mb"},
    {"MagasEdit3", "mc"},
    {"NagyrEdit", "R"},
}};

constexpr std::array<std::string_view, kOutputCount> kOutputNames = {
    "KeruletText2", "KeruletText3", "TeruletText2", "FeluletText2", "TerfogatText2",
    "TomegText2",   "Fok1Text",     "Perc1Text",    "Mperc1Text",   "Fok2Text",
    "Perc2Text",    "Mperc2Text",   "Fok3Text",     "Perc3Text",    "Mperc3Text",
};

}  // namespace

std::string_view FieldControlName(Field f) { return kFieldNames[FieldIndex(f)].control; }

std::string_view FieldValueName(Field f) { return kFieldNames[FieldIndex(f)].value; }

std::optional<Field> FieldFromValueName(std::string_view name) {
    for (Field f : kAllFields) {
        if (FieldValueName(f) == name) return f;
    }
    return std::nullopt;
}

bool IsAngleField(Field f) {
    return f == Field::AlfaEdit || f == Field::BetaEdit || f == Field::GammaEdit;
}

std::string_view OutputControlName(Output o) { return kOutputNames[OutputIndex(o)]; }

}  // namespace mertano
