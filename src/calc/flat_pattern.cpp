// SPDX-License-Identifier: GPL-3.0-or-later
#include "flat_pattern.h"

#include <algorithm>
#include <cmath>

#include "calc/constants.h"

namespace mertano {
namespace {

bool Usable(long double x) {
    return std::isfinite(x) && x >= 0.0L;
}

// The sector's opening and the measures that follow from it; the caller has set the radii.
std::optional<FlatPattern> Finish(FlatPattern p, long double seam) {
    p.angle = SplitAngle(p.angleDegrees);
    const long double turn = p.angleDegrees * kDegToRad;
    p.outerArc = p.outerRadius * turn;
    p.innerArc = p.innerRadius * turn;
    // At a whole turn the sine is a rounding error away from 0, on either side.
    p.chord = std::max(0.0L, 2.0L * p.outerRadius * std::sin(turn / 2.0L));
    p.seam = seam;
    if (seam > 0.0L) {
        // Seen from the apex the overlap lies just short of a whole turn, below the first
        // edge; the other edge reaches into it once the opening leaves less than the
        // steepest of its points within the outer arc (straight down, at a cone's apex).
        const long double steepest = p.innerRadius > 0.0L
                                         ? std::min(std::atan2(seam, p.innerRadius),
                                                    std::acos(p.innerRadius / p.outerRadius))
                                         : kPi / 2.0L;
        p.seamOverlaps = turn + steepest > kTwoPi;
    }
    if (!std::isfinite(p.outerRadius) || !std::isfinite(p.outerArc)) return std::nullopt;
    return p;
}

std::optional<FlatPattern> Rectangle(long double r, long double height, long double seam) {
    if (!(r > 0.0L && height > 0.0L)) return std::nullopt;
    FlatPattern p;
    p.kind = PatternKind::Rectangle;
    p.width = kTwoPi * r;
    p.height = height;
    p.outerArc = p.innerArc = p.chord = p.width;
    p.seam = seam;
    if (!std::isfinite(p.width)) return std::nullopt;
    return p;
}

std::optional<FlatPattern> Sector(long double r, long double a, long double m, long double seam) {
    if (!(a > 0.0L)) a = std::hypot(r, m);
    // A slant height shorter than the radius belongs to no cone; at equal ones the cone
    // is flat and its pattern the whole disc.
    if (!(r > 0.0L && a >= r)) return std::nullopt;
    FlatPattern p;
    p.kind = PatternKind::Sector;
    p.outerRadius = a;
    p.angleDegrees = 360.0L * r / a;
    return Finish(p, seam);
}

std::optional<FlatPattern> AnnularSector(long double r, long double R, long double a, long double m,
                                         long double seam) {
    const long double big = std::max(r, R), small = std::min(r, R);
    if (!(small > 0.0L)) return Sector(big, a, m, seam);
    if (big == small) return Rectangle(big, m > 0.0L ? m : a, seam);
    const long double run = big - small;
    if (!(a > 0.0L)) a = std::hypot(run, m);
    if (!(a >= run)) return std::nullopt;
    // The whole cone and its cut-off tip are alike: each slant height is to its radius as
    // the frustum's slant height is to the faces' difference.
    FlatPattern p;
    p.kind = PatternKind::AnnularSector;
    p.outerRadius = a * big / run;
    p.innerRadius = a * small / run;
    p.angleDegrees = 360.0L * run / a;
    return Finish(p, seam);
}

PatternPoint OnCircle(long double radius, long double degrees) {
    // The axis directions come out exact, so a half or a whole turn ends on the x axis.
    if (degrees == 0.0L || degrees == 360.0L) return {radius, 0.0L};
    if (degrees == 90.0L) return {0.0L, radius};
    if (degrees == 180.0L) return {-radius, 0.0L};
    if (degrees == 270.0L) return {0.0L, -radius};
    const long double t = degrees * kDegToRad;
    return {radius * std::cos(t), radius * std::sin(t)};
}

OutlinePiece Line(PatternPoint from, PatternPoint to, bool seam = false) {
    OutlinePiece piece;
    piece.kind = OutlinePiece::Kind::Line;
    piece.seam = seam;
    piece.from = from;
    piece.to = to;
    return piece;
}

OutlinePiece Arc(long double radius, long double endDegrees) {
    OutlinePiece piece;
    piece.kind = OutlinePiece::Kind::Arc;
    piece.radius = radius;
    piece.startDegrees = 0.0L;
    piece.endDegrees = endDegrees;
    piece.from = OnCircle(radius, 0.0L);
    piece.to = OnCircle(radius, endDegrees);
    return piece;
}

}  // namespace

std::optional<FlatPattern> MakeFlatPattern(ShapeKind shape, const PatternValues& v,
                                           long double seam) {
    if (!(Usable(v.r) && Usable(v.R) && Usable(v.a) && Usable(v.m))) return std::nullopt;
    seam = std::isfinite(seam) && seam > 0.0L ? seam : 0.0L;
    switch (shape) {
        case ShapeKind::Cylinder:
            return Rectangle(v.r, v.m, seam);
        case ShapeKind::Cone:
            return Sector(v.r, v.a, v.m, seam);
        case ShapeKind::TruncatedCone:
            return AnnularSector(v.r, v.R, v.a, v.m, seam);
        default:
            return std::nullopt;
    }
}

std::optional<FlatPattern> MakeFlatPattern(const FieldOps& fields, long double seam) {
    const std::optional<ShapeKind> shape = fields.selectedShape();
    if (!shape) return std::nullopt;
    PatternValues v;
    v.r = fields.fieldValue(Field::SugarEdit);
    v.a = fields.fieldValue(Field::AoldEdit);
    v.m = fields.fieldValue(Field::MagasEdit1);
    v.R = fields.fieldValue(Field::NagyrEdit);
    return MakeFlatPattern(*shape, v, seam);
}

std::vector<OutlinePiece> PatternOutline(const FlatPattern& p) {
    std::vector<OutlinePiece> outline;
    const long double s = p.seam;
    if (p.kind == PatternKind::Rectangle) {
        const PatternPoint corners[] = {{0, 0}, {p.width, 0}, {p.width, p.height}, {0, p.height}};
        for (int k = 0; k < 4; ++k) outline.push_back(Line(corners[k], corners[(k + 1) % 4]));
        if (s > 0.0L) {
            outline.push_back(Line({0, 0}, {-s, 0}, true));
            outline.push_back(Line({-s, 0}, {-s, p.height}, true));
            outline.push_back(Line({-s, p.height}, {0, p.height}, true));
        }
        return outline;
    }
    const long double ri = p.innerRadius, ro = p.outerRadius, end = p.angleDegrees;
    outline.push_back(Line({ri, 0}, {ro, 0}));
    outline.push_back(Arc(ro, end));
    outline.push_back(Line(OnCircle(ro, end), OnCircle(ri, end)));
    if (p.kind == PatternKind::AnnularSector) outline.push_back(Arc(ri, end));
    if (s > 0.0L) {
        outline.push_back(Line({ri, 0}, {ri, -s}, true));
        outline.push_back(Line({ri, -s}, {ro, -s}, true));
        outline.push_back(Line({ro, -s}, {ro, 0}, true));
    }
    return outline;
}

PatternBounds OutlineBounds(const std::vector<OutlinePiece>& outline) {
    if (outline.empty()) return {};
    PatternBounds b{outline.front().from, outline.front().from};
    auto take = [&b](PatternPoint q) {
        b.min = {std::min(b.min.x, q.x), std::min(b.min.y, q.y)};
        b.max = {std::max(b.max.x, q.x), std::max(b.max.y, q.y)};
    };
    for (const OutlinePiece& piece : outline) {
        take(piece.from);
        take(piece.to);
        if (piece.kind != OutlinePiece::Kind::Arc) continue;
        // An arc reaches beyond its ends where it crosses an axis direction.
        for (int quarter = 0; quarter <= 4; ++quarter) {
            const long double at = 90.0L * quarter;
            if (at > piece.startDegrees && at < piece.endDegrees) {
                const PatternPoint q = OnCircle(piece.radius, at);
                take({piece.centre.x + q.x, piece.centre.y + q.y});
            }
        }
    }
    return b;
}

}  // namespace mertano
