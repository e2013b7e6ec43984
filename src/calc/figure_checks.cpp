// SPDX-License-Identifier: GPL-3.0-or-later
// The relations a solved figure must keep that its solver does not enforce: the cap and
// the zone take three and four values for a figure that two and three fix, a sector's
// arc can wrap past the full circle, and an angle can be typed that no such figure has.
#include "figure_checks.h"

#include <array>
#include <cmath>

#include "calc/numbers.h"
#include "calc/solution_steps.h"
#include "shapes/shape_catalogue.h"

namespace mertano {
namespace {

std::string Num(long double x) {
    return FormatFixed(x, 4);
}

// Whether g(x) = 0 holds within the rounding of the values x: |g| no larger than its
// change when each value moves by half a unit of its last decimal, to first order.
template <std::size_t N, typename G>
bool HoldsWithinRounding(const G& g, const std::array<long double, N>& x) {
    const long double g0 = g(x);
    long double spread = 0;
    long double scale = 0;
    for (std::size_t j = 0; j < N; ++j) {
        std::array<long double, N> moved = x;
        const long double step = 1e-7L * std::fmax(std::fabs(x[j]), 1.0L);
        moved[j] += step;
        spread += std::fabs(g(moved) - g0) / step * kHalfUnit;
        scale = std::fmax(scale, std::fabs(x[j]));
    }
    return std::fabs(g0) <= 1.01L * spread + 1e-15L * scale * scale;
}

// The cap is the part of the sphere beyond a plane at r - m from its centre.
std::optional<std::string> CapCheck(const Measurements& in, const LanguageTexts& texts) {
    const long double r = in.r, a = in.a, m = in.ma;
    const auto tied = [](const std::array<long double, 3>& x) {
        return x[0] * x[0] - x[2] * (2.0L * x[1] - x[2]);  // a² − m·(2r − m)
    };
    if (HoldsWithinRounding(tied, std::array{a, r, m})) return std::nullopt;
    const std::string withAM =
        FillIn(texts.text(kTextCapWithAM), {Num(a), Num(m), Num((a * a + m * m) / (2.0L * m))});
    if (m > 2.0L * r) return texts.text(kTextCapHeight) + ' ' + withAM;
    const std::string withRM =
        FillIn(texts.text(kTextCapWithRM), {Num(r), Num(m), Num(std::sqrt(m * (2.0L * r - m)))});
    if (a > r) return texts.text(kTextCapRadius) + ' ' + withRM;
    return texts.text(kTextCapTied) + ' ' + withRM;
}

// The zone lies between two planes a height m apart, at z1 and z1 + m from the centre,
// with z² + a² = r² on each: z1 follows from a1, a2 and m, then r must fit.
std::optional<std::string> ZoneCheck(const Measurements& in, const LanguageTexts& texts) {
    const long double r = in.r, a1 = in.a, a2 = in.R, m = in.ma;
    const auto z1 = [](long double a1v, long double a2v, long double mv) {
        return (a1v * a1v - a2v * a2v - mv * mv) / (2.0L * mv);
    };
    const auto tied = [&z1](const std::array<long double, 4>& x) {
        const long double z = z1(x[1], x[2], x[3]);
        return z * z + x[1] * x[1] - x[0] * x[0];
    };
    if (HoldsWithinRounding(tied, std::array{r, a1, a2, m})) return std::nullopt;
    if (a1 > r || a2 > r) {
        const long double z = z1(a1, a2, m);
        return texts.text(kTextZoneRadius) + ' ' +
               FillIn(texts.text(kTextZoneWithM),
                      {Num(a1), Num(a2), Num(m), Num(std::sqrt(z * z + a1 * a1))});
    }
    const long double d1 = std::sqrt(r * r - a1 * a1), d2 = std::sqrt(r * r - a2 * a2);
    return texts.text(kTextZoneTied) + ' ' +
           FillIn(texts.text(kTextZoneWithR),
                  {Num(r), Num(a1), Num(a2), Num(std::fabs(d1 - d2)), Num(d1 + d2)});
}

std::optional<std::string> SectorCheck(const Measurements& out, const LanguageTexts& texts) {
    if (!(Given(out.r) && Given(out.i))) return std::nullopt;
    // The angle's own rounding, carried from the arc and the radius it comes from.
    const long double slack = out.alfa * (kHalfUnit / out.i + kHalfUnit / out.r);
    if (out.alfa <= 360.0L + slack) return std::nullopt;
    return FillIn(texts.text(kTextSectorAngle), {Num(out.r), Num(out.i), Num(out.alfa)});
}

}  // namespace

std::optional<std::string> ImpossibleFigure(ShapeKind shape, const Measurements& in,
                                            const Measurements& out, const LanguageTexts& texts) {
    switch (shape) {
        case ShapeKind::Triangle:
            if (in.alfa >= 180.0L || in.beta >= 180.0L || in.gamma >= 180.0L)
                return texts.text(kTextTriangleAngle);
            break;
        case ShapeKind::RightTriangle:
            if (in.alfa >= 90.0L || in.beta >= 90.0L) return texts.text(kTextRightAngles);
            break;
        case ShapeKind::CircularSector:
            return SectorCheck(out, texts);
        case ShapeKind::Cone:
            if (in.alfa >= 90.0L || in.beta >= 180.0L) return texts.text(kTextConeAngles);
            break;
        case ShapeKind::TruncatedCone:
            if (in.alfa >= 90.0L || (Given(in.alfa) && in.r == in.R))
                return texts.text(kTextTruncatedAngle);
            break;
        case ShapeKind::SphericalCap:
            if (Given(in.a) && Given(in.r) && Given(in.ma)) return CapCheck(in, texts);
            break;
        case ShapeKind::SphericalZone:
            if (Given(in.a) && Given(in.r) && Given(in.ma) && Given(in.R))
                return ZoneCheck(in, texts);
            break;
        default:
            break;
    }
    return std::nullopt;
}

std::string NoFigureMessage(const LanguageTexts& texts, std::optional<ShapeKind> shape) {
    int hint = kTextHintOther;
    switch (shape.value_or(ShapeKind::Cube)) {
        case ShapeKind::Triangle:
            hint = kTextHintTriangle;
            break;
        case ShapeKind::RightTriangle:
            hint = kTextHintRightTriangle;
            break;
        case ShapeKind::CircularSegment:
            hint = kTextHintSegment;
            break;
        case ShapeKind::Cone:
            hint = kTextHintCone;
            break;
        case ShapeKind::TruncatedCone:
            hint = kTextHintTruncatedCone;
            break;
        default:
            break;
    }
    std::string message;
    if (shape && !texts.text(Shape(*shape).captionText).empty())
        message = texts.text(Shape(*shape).captionText) + ": ";
    return message + texts.text(kTextNoSuchFigure) + '\r' + texts.text(hint);
}

std::string ShownSymbol(ShapeKind shape, Field f) {
    std::string symbol = FieldSymbol(shape, f);
    if (const std::size_t underscore = symbol.find('_'); underscore != std::string::npos)
        symbol.erase(underscore, 1);
    return symbol;
}

std::string ValueText(ShapeKind shape, Field f, long double value) {
    return ShownSymbol(shape, f) + " = " + Num(value) + (IsAngleField(f) ? "\u00b0" : "");
}

std::string ListText(const LanguageTexts& texts, const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (k > 0) text += k + 1 == items.size() ? ' ' + texts.text(kTextAnd) + ' ' : ", ";
        text += items[k];
    }
    return text;
}

}  // namespace mertano
