// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The length unit's labels and the mass of a solid, as the main window shows them.

#include <QString>
#include <optional>

#include "materials/material_file.h"

namespace mertano {

// The captions that follow the text of EgysegComboBox (EgysegComboBoxChange), taken as
// it stands. TomegText3 is not among them: it always reads "kg".
struct UnitLabels {
    QString egysegText2;    // u
    QString keruletText3;   // u
    QString teruletText3;   // u2
    QString feluletText3;   // u2
    QString terfogatText3;  // u3
};
UnitLabels UnitLabelsFor(const QString& unitText);

// The mass of a solid of `volume` (full precision, cubic units of the length unit) in
// the material named by `materialText`, with the length unit `unitText` (both as their
// combo boxes hold them; both are trimmed here).
//
// A blank material text gives nothing and leaves `massFactor` alone: TomegText2 then
// keeps its text. Otherwise the last record of that name (exact, case-sensitive) sets
// `massFactor` to its gravity; no match leaves the factor as the caller set it (the
// calculate command sets 0, so the mass reads 0.0000). The factor is then scaled to
// kilograms for "mm", "cm", "dm", "m", "in" and "ft" (exact, case-sensitive). Any other
// unit text gives an empty text: the mass box is cleared rather than shown wrong.
// The volume is rounded to 4 decimals before the product, which is shown with 4
// decimals, "." as separator, at least 3 characters wide.
//
// Throws FloatFaultError (InvalidOperation) when volume * 10000 leaves the 64-bit
// integer range, as every other rounding of the calculate command does.
std::optional<QString> ComputeMass(const MaterialTable& table, const QString& materialText,
                                   const QString& unitText, long double volume,
                                   long double& massFactor);

}  // namespace mertano
