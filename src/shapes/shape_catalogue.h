// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "calc/field.h"
#include "shapes/shape_kind.h"

namespace mertano {

// What the main window shows for one figure.
struct ShapeInfo {
    ShapeKind kind;
    std::string_view name;            // "CircularSector": the command line's figure name
    std::string_view button;          // "SpeedBtn4"
    int captionText;                  // language text of the button's caption
    std::string_view defaultCaption;  // the form's built-in caption
    bool solid;
    std::string_view picture;            // shown when the figure is chosen
    std::vector<Field> lengthFields;     // in the rows of the input area, top to bottom
    std::vector<Field> angleFields;      // AlfaEdit, BetaEdit, GammaEdit as shown
    Field firstFocus;
    bool aInRowTwo;                      // AoldEdit moves to row 2
    std::string_view magasCaption;       // MagasText1's caption, empty when not shown
};

const ShapeInfo& Shape(ShapeKind kind);
// Case-insensitive figure name.
std::optional<ShapeKind> ShapeFromName(std::string_view name);
// Every field the figure shows: lengths top to bottom, then the angles.
std::vector<Field> ShownFields(ShapeKind kind);
bool ShowsField(ShapeKind kind, Field field);

// The picture a field's enter handler shows for the figure, empty when it has none.
std::string_view EnterPicture(Field field, ShapeKind kind);

// The language text that an angle field's exit check shows for a value above 180
// (AlfaEdit 29, BetaEdit 30, GammaEdit 31); nothing for the other fields.
std::optional<int> AngleExitMessage(Field field, long double value);

}  // namespace mertano
