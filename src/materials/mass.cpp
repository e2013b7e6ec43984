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
    // Gravity is in g/cm3; these take a volume in the unit's cubes to kilograms.
    const QString unit = TrimMaterialText(unitText);
    if (unit == u"mm") {
        massFactor /= 1000000.0L;
    } else if (unit == u"cm") {
        massFactor /= 1000.0L;
    } else if (unit == u"m") {
        massFactor *= 1000.0L;
    }
    const long double mass = RoundTo4(volume) * massFactor;
    return QString::fromStdString(PadLeft(FormatFixed(mass, 4), 3));
}

}  // namespace mertano
