// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace mertano {

// The fourteen measurement edits of the main window, in the order the calculate command
// and the button rule read them.
enum class Field {
    AoldEdit,
    BoldEdit,
    ColdEdit,
    AlfaEdit,
    SugarEdit,
    AtmeroEdit,
    IvEdit,
    HurEdit,
    BetaEdit,
    GammaEdit,
    MagasEdit1,
    MagasEdit2,
    MagasEdit3,
    NagyrEdit,
};
inline constexpr int kFieldCount = 14;

inline constexpr std::array<Field, kFieldCount> kAllFields = {
    Field::AoldEdit,   Field::BoldEdit,   Field::ColdEdit,   Field::AlfaEdit,  Field::SugarEdit,
    Field::AtmeroEdit, Field::IvEdit,     Field::HurEdit,    Field::BetaEdit,  Field::GammaEdit,
    Field::MagasEdit1, Field::MagasEdit2, Field::MagasEdit3, Field::NagyrEdit,
};

constexpr int FieldIndex(Field f) {
    return static_cast<int>(f);
}

// A set of fields, one bit a field by its index.
using FieldMask = unsigned;
constexpr FieldMask FieldBit(Field f) {
    return 1U << FieldIndex(f);
}

// The edit's control name ("AoldEdit").
std::string_view FieldControlName(Field f);
// The working value's name ("a", "alfa", "ma", "R").
std::string_view FieldValueName(Field f);
std::optional<Field> FieldFromValueName(std::string_view name);
bool IsAngleField(Field f);

// Static texts that the calculate command writes.
enum class Output {
    KeruletText2,
    KeruletText3,
    TeruletText2,
    FeluletText2,
    TerfogatText2,
    TomegText2,
    Fok1Text,
    Perc1Text,
    Mperc1Text,
    Fok2Text,
    Perc2Text,
    Mperc2Text,
    Fok3Text,
    Perc3Text,
    Mperc3Text,
};
inline constexpr int kOutputCount = 15;
constexpr int OutputIndex(Output o) {
    return static_cast<int>(o);
}

// An angle field and the three boxes that show it in degrees, minutes and seconds.
struct AngleBoxes {
    Field field;
    Output degrees, minutes, seconds;
};
inline constexpr AngleBoxes kAngleBoxes[] = {
    {Field::AlfaEdit, Output::Fok1Text, Output::Perc1Text, Output::Mperc1Text},
    {Field::BetaEdit, Output::Fok2Text, Output::Perc2Text, Output::Mperc2Text},
    {Field::GammaEdit, Output::Fok3Text, Output::Perc3Text, Output::Mperc3Text},
};
// The boxes of an angle field; null for any other field.
constexpr const AngleBoxes* AngleBoxesOf(Field f) {
    for (const AngleBoxes& boxes : kAngleBoxes)
        if (boxes.field == f) return &boxes;
    return nullptr;
}
std::string_view OutputControlName(Output o);

// The controls whose enabled state the calculate command sets.
enum class Control { InputPanel, SzamolBtn, NyomtatBtn };
inline constexpr int kControlCount = 3;

}  // namespace mertano
