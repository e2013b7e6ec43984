// SPDX-License-Identifier: GPL-3.0-or-later
#include "materials/mass.h"

#include "calc/numbers.h"
#include "calc/units.h"

namespace mertano {

UnitLabels UnitLabelsFor(const QString& unitText) {
    return {unitText, unitText, unitText + u'2', unitText + u'2', unitText + u'3'};
}

std::optional<QString> ComputeMass(const MaterialTable& table, const QString& materialText,
                                   const QString& unitText, long double volume,
                                   long double& massFactor) {
    const QString material = TrimMaterialText(materialText);
    if (material.isEmpty()) return std::nullopt;
    if (std::optional<qint32> gravity = FindGravity(table, material)) {
        massFactor = StoredToGravity(*gravity);
    }
    // Gravity is in g/cm3 (= kg/dm3); these take a volume in the unit's cubes to
    // kilograms. A unit Mertano does not know has no factor, and a mass without one would
    // be plainly wrong, so none is shown.
    const std::optional<DensityScale> scale =
        DensityScaleFor(TrimMaterialText(unitText).toStdString());
    if (!scale) return QString();
    massFactor = ScaleDensity(massFactor, *scale);
    const long double mass = RoundTo4(volume) * massFactor;
    return QString::fromStdString(PadLeft(FormatFixed(mass, 4), 3));
}

}  // namespace mertano
