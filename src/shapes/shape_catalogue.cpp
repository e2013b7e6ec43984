// SPDX-License-Identifier: GPL-3.0-or-later
#include "shape_catalogue.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace mertano {
namespace {

using F = Field;

const std::array<ShapeInfo, kShapeCount>& Catalogue() {
    static const std::array<ShapeInfo, kShapeCount> kShapes = {{
        {ShapeKind::Triangle, "Triangle", "SpeedBtn1", 9, "Háromszög", false, "B1",
         {F::AoldEdit, F::BoldEdit, F::ColdEdit, F::MagasEdit1, F::MagasEdit2, F::MagasEdit3},
         {F::AlfaEdit, F::BetaEdit, F::GammaEdit}, F::AoldEdit, false, "ma:"},
        {ShapeKind::RightTriangle, "RightTriangle", "SpeedBtn2", 10, "Derékszögű háromszög", false,
         "B2", {F::AoldEdit, F::BoldEdit, F::ColdEdit}, {F::AlfaEdit, F::BetaEdit}, F::AoldEdit,
         false, ""},
        {ShapeKind::Circle, "Circle", "SpeedBtn3", 11, "Kör", false, "B3",
         {F::SugarEdit, F::AtmeroEdit}, {}, F::SugarEdit, false, ""},
        {ShapeKind::CircularSector, "CircularSector", "SpeedBtn4", 12, "Körcikk", false, "B4",
         {F::SugarEdit, F::IvEdit}, {F::AlfaEdit}, F::SugarEdit, false, ""},
        {ShapeKind::CircularSegment, "CircularSegment", "SpeedBtn5", 13, "Körszelet", false, "B5",
         {F::SugarEdit, F::HurEdit, F::IvEdit, F::MagasEdit1}, {F::AlfaEdit}, F::SugarEdit, false,
         "m:"},
        {ShapeKind::Cube, "Cube", "SpeedBtn6", 14, "Kocka", true, "B6", {F::AoldEdit}, {},
         F::AoldEdit, false, ""},
        {ShapeKind::Cylinder, "Cylinder", "SpeedBtn7", 15, "Henger", true, "B7",
         {F::SugarEdit, F::MagasEdit1}, {}, F::SugarEdit, false, "m:"},
        {ShapeKind::Cone, "Cone", "SpeedBtn8", 16, "Kúp", true, "B8",
         {F::SugarEdit, F::AoldEdit, F::MagasEdit1}, {F::AlfaEdit, F::BetaEdit}, F::SugarEdit,
         true, "m:"},
        {ShapeKind::TruncatedCone, "TruncatedCone", "SpeedBtn9", 17, "Csonka kúp", true, "B9",
         {F::SugarEdit, F::AoldEdit, F::NagyrEdit, F::MagasEdit1}, {F::AlfaEdit}, F::SugarEdit,
         true, "m:"},
        {ShapeKind::Sphere, "Sphere", "SpeedBtn10", 18, "Gömb", true, "B10", {F::SugarEdit}, {},
         F::SugarEdit, false, ""},
        {ShapeKind::Cuboid, "Cuboid", "SpeedBtn11", 19, "Téglatest", true, "B15",
         {F::AoldEdit, F::BoldEdit, F::ColdEdit}, {}, F::AoldEdit, false, ""},
        {ShapeKind::SphericalCap, "SphericalCap", "SpeedBtn12", 20, "Gömbszelet", true, "B58",
         {F::SugarEdit, F::AoldEdit, F::MagasEdit1}, {}, F::SugarEdit, true, "m:"},
        {ShapeKind::SphericalZone, "SphericalZone", "SpeedBtn13", 21, "Gömbréteg", true, "B62",
         {F::SugarEdit, F::AoldEdit, F::NagyrEdit, F::MagasEdit1}, {}, F::SugarEdit, true, "m:"},
    }};
    return kShapes;
}

struct EnterPictureRow {
    Field field;
    ShapeKind shape;
    std::string_view picture;
};

using S = ShapeKind;
constexpr EnterPictureRow kEnterPictures[] = {
    {F::AoldEdit, S::Triangle, "B17"},       {F::AoldEdit, S::RightTriangle, "B24"},
    {F::AoldEdit, S::Cube, "B6"},            {F::AoldEdit, S::Cone, "B40"},
    {F::AoldEdit, S::TruncatedCone, "B45"},  {F::AoldEdit, S::Cuboid, "B50"},
    {F::AoldEdit, S::SphericalCap, "B56"},   {F::AoldEdit, S::SphericalZone, "B59"},
    {F::BoldEdit, S::Triangle, "B19"},       {F::BoldEdit, S::RightTriangle, "B26"},
    {F::BoldEdit, S::Cuboid, "B51"},         {F::ColdEdit, S::Triangle, "B21"},
    {F::ColdEdit, S::RightTriangle, "B28"},  {F::ColdEdit, S::Cuboid, "B52"},
    {F::AlfaEdit, S::Triangle, "B18"},       {F::AlfaEdit, S::RightTriangle, "B25"},
    {F::AlfaEdit, S::CircularSector, "B30"}, {F::AlfaEdit, S::CircularSegment, "B33"},
    {F::AlfaEdit, S::Cone, "B41"},           {F::AlfaEdit, S::TruncatedCone, "B46"},
    {F::BetaEdit, S::Triangle, "B20"},       {F::BetaEdit, S::RightTriangle, "B27"},
    {F::BetaEdit, S::Cone, "B42"},           {F::GammaEdit, S::Triangle, "B22"},
    {F::MagasEdit1, S::Triangle, "B23"},     {F::MagasEdit1, S::CircularSegment, "B36"},
    {F::MagasEdit1, S::Cylinder, "B38"},     {F::MagasEdit1, S::Cone, "B43"},
    {F::MagasEdit1, S::TruncatedCone, "B48"}, {F::MagasEdit1, S::SphericalCap, "B57"},
    {F::MagasEdit1, S::SphericalZone, "B61"}, {F::MagasEdit2, S::Triangle, "B1"},
    {F::MagasEdit3, S::Triangle, "B1"},      {F::SugarEdit, S::Circle, "B29"},
    {F::SugarEdit, S::CircularSector, "B32"}, {F::SugarEdit, S::CircularSegment, "B37"},
    {F::SugarEdit, S::Cylinder, "B39"},      {F::SugarEdit, S::Cone, "B44"},
    {F::SugarEdit, S::TruncatedCone, "B47"}, {F::SugarEdit, S::Sphere, "B10"},
    {F::SugarEdit, S::SphericalCap, "B58"},  {F::SugarEdit, S::SphericalZone, "B62"},
    {F::NagyrEdit, S::TruncatedCone, "B49"}, {F::NagyrEdit, S::SphericalZone, "B60"},
    {F::AtmeroEdit, S::Circle, "B53"},       {F::IvEdit, S::CircularSector, "B31"},
    {F::IvEdit, S::CircularSegment, "B35"},  {F::HurEdit, S::CircularSegment, "B34"},
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

const ShapeInfo& Shape(ShapeKind kind) { return Catalogue()[ShapeIndex(kind)]; }

std::optional<ShapeKind> ShapeFromName(std::string_view name) {
    for (const ShapeInfo& s : Catalogue()) {
        if (EqualsIgnoringCase(s.name, name)) return s.kind;
    }
    return std::nullopt;
}

std::vector<Field> ShownFields(ShapeKind kind) {
    const ShapeInfo& s = Shape(kind);
    std::vector<Field> fields = s.lengthFields;
    fields.insert(fields.end(), s.angleFields.begin(), s.angleFields.end());
    return fields;
}

bool ShowsField(ShapeKind kind, Field field) {
    const ShapeInfo& s = Shape(kind);
    auto has = [field](const std::vector<Field>& v) {
        return std::find(v.begin(), v.end(), field) != v.end();
    };
    return has(s.lengthFields) || has(s.angleFields);
}

std::string_view EnterPicture(Field field, ShapeKind kind) {
    for (const EnterPictureRow& row : kEnterPictures) {
        if (row.field == field && row.shape == kind) return row.picture;
    }
    return {};
}

std::optional<int> AngleExitMessage(Field field, long double value) {
    if (!(value > 180.0L)) return std::nullopt;
    switch (field) {
        case Field::AlfaEdit:
            return 29;
        case Field::BetaEdit:
            return 30;
        case Field::GammaEdit:
            return 31;
        default:
            return std::nullopt;
    }
}

}  // namespace mertano
