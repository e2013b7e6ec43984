// SPDX-License-Identifier: GPL-3.0-or-later
#include "materials/common_materials.h"

#include <QSet>
#include <array>

#include "calc/language_texts.h"

namespace mertano {
namespace {

// Typical values at room temperature, rounded to what a user would type. A real piece
// differs with its alloy, grade or moisture, so these are a start for the user's own
// figures, not a substitute for a supplier's data sheet. Sources:
// - pure metals (aluminium, copper, lead, titanium, zinc): CRC Handbook of Chemistry and
//   Physics, densities of the elements near 20 °C;
// - structural steel 7850 kg/m³: EN 1993-1-1 (Eurocode 3), 3.2.6; stainless steel: the
//   austenitic grades of EN 10088-1 (1.4301 about 7.9);
// - concrete (plain, normal weight, 24 kN/m³) and glass (25 kN/m³): EN 1991-1-1
//   (Eurocode 1), Annex A;
// - tool steel, cast iron (grey), brass, bronze (tin bronze), the plastics and the woods
//   (air-dry, about 12 % moisture): middle values of the ranges in the common public
//   density tables, such as those of The Engineering ToolBox.
constexpr std::array<CommonMaterial, kTextLastCommonMaterial - kTextFirstCommonMaterial + 1>
    kCommonMaterials = {{
        {kTextFirstCommonMaterial + 0, 7.85L},   // structural steel
        {kTextFirstCommonMaterial + 1, 7.80L},   // tool steel
        {kTextFirstCommonMaterial + 2, 7.90L},   // stainless steel
        {kTextFirstCommonMaterial + 3, 7.20L},   // cast iron
        {kTextFirstCommonMaterial + 4, 2.70L},   // aluminium
        {kTextFirstCommonMaterial + 5, 8.50L},   // brass
        {kTextFirstCommonMaterial + 6, 8.80L},   // bronze
        {kTextFirstCommonMaterial + 7, 8.96L},   // copper
        {kTextFirstCommonMaterial + 8, 11.34L},  // lead
        {kTextFirstCommonMaterial + 9, 4.51L},   // titanium
        {kTextFirstCommonMaterial + 10, 7.13L},  // zinc
        {kTextFirstCommonMaterial + 11, 0.95L},  // polyethylene (PE)
        {kTextFirstCommonMaterial + 12, 0.90L},  // polypropylene (PP)
        {kTextFirstCommonMaterial + 13, 1.40L},  // PVC, rigid
        {kTextFirstCommonMaterial + 14, 1.19L},  // acrylic glass (PMMA)
        {kTextFirstCommonMaterial + 15, 1.14L},  // polyamide (nylon)
        {kTextFirstCommonMaterial + 16, 0.70L},  // oak
        {kTextFirstCommonMaterial + 17, 0.52L},  // pine
        {kTextFirstCommonMaterial + 18, 0.72L},  // beech
        {kTextFirstCommonMaterial + 19, 2.40L},  // concrete
        {kTextFirstCommonMaterial + 20, 2.50L},  // glass
    }};
static_assert(kCommonMaterials.back().text == kTextLastCommonMaterial);

}  // namespace

std::span<const CommonMaterial> CommonMaterials() {
    return kCommonMaterials;
}

MaterialTable AddCommonMaterials(MaterialTable table, const LanguageTexts& texts, int& added) {
    added = 0;
    // One pass over the names rather than one per common material: a list may hold
    // millions.
    QSet<QString> names;
    names.reserve(table.size() + qsizetype(kCommonMaterials.size()));
    for (const MaterialRecord& m : table) names.insert(m.name);
    for (const CommonMaterial& common : kCommonMaterials) {
        MaterialRecord record = MakeMaterial(QString::fromStdString(texts.text(common.text)),
                                             GravityToStored(common.gravity));
        // A language file that words a name as blank leaves that material out.
        if (record.name.isEmpty() || names.contains(record.name)) continue;
        names.insert(record.name);
        table.append(std::move(record));
        ++added;
    }
    return table;
}

}  // namespace mertano
