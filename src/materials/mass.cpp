// SPDX-License-Identifier: GPL-3.0-or-later
#include "materials/mass.h"

#include "calc/numbers.h"

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
    const QString unit = TrimMaterialText(unitText);
    if (unit == u"mm") {
        massFactor /= 1000000.0L;
    } else if (unit == u"cm") {
        massFactor /= 1000.0L;
    } else if (unit == u"dm") {
        // already kilograms per cubic decimetre
    } else if (unit == u"m") {
        massFactor *= 1000.0L;
    } else if (unit == u"in") {
        massFactor *= 0.016387064L;  // 2.54^3 cm3 per cubic inch, in dm3
    } else if (unit == u"ft") {
        massFactor *= 28.316846592L;  // 30.48^3 cm3 per cubic foot, in dm3
    } else {
        return QString();
    }
    const long double mass = RoundTo4(volume) * massFactor;
    return QString::fromStdString(PadLeft(FormatFixed(mass, 4), 3));
}

}  // namespace mertano
