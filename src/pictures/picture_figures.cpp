// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/picture_figures.h"

#include <QtMath>
#include <cmath>

namespace mertano {

namespace {

using Q = Quantity;
using P = QPointF;

// The foot of the perpendicular from p onto the line through x and y.
P Foot(P p, P x, P y) {
    const P d = y - x;
    const qreal t = P::dotProduct(p - x, d) / P::dotProduct(d, d);
    return x + d * t;
}

// A point on a circle of the given radius, at `degrees` counter-clockwise from the right.
P OnCircle(P centre, qreal radius, qreal degrees) {
    const qreal rad = qDegreesToRadians(degrees);
    return centre + P(std::cos(rad), -std::sin(rad)) * radius;
}

// Heights belong to a side: drawn dashed from the vertex to the foot, with a right angle.
void Height(Sketch& s, P vertex, P x, P y, const char* text, Q q, P labelAt) {
    const P foot = Foot(vertex, x, y);
    s.line(vertex, foot, q, Stroke::Dashed).rightAngle(foot, vertex, x, 5);
    s.label(labelAt, text, q);
}

Sketch Triangle() {
    const P a(10, 126), b(140, 126), c(58, 18);
    const P centre = (a + b + c) / 3;
    Sketch s;
    s.line(b, c, Q::A).line(c, a, Q::B).line(a, b, Q::C);
    s.sideLabel(b, c, centre, "a", Q::A).sideLabel(c, a, centre, "b", Q::B);
    s.sideLabel(a, b, centre, "c", Q::C);
    // The heights leave the vertices near the bisectors: each letter sits to one side.
    s.angle(a, b, c, "α", Q::Alpha, 15, -19, 13).angle(b, c, a, "β", Q::Beta, 22, -12, 22);
    s.angle(c, a, b, "γ", Q::Gamma, 13, 12, 17);
    Height(s, a, b, c, "m_a", Q::Ma, P(82, 85));
    Height(s, b, c, a, "m_b", Q::Mb, P(96, 116));
    Height(s, c, a, b, "m_c", Q::Mc, P(70, 114));
    return s;
}

Sketch RightTriangle() {
    const P c(26, 124), a(132, 124), b(26, 28);
    const P centre = (a + b + c) / 3;
    Sketch s;
    s.line(b, c, Q::A).line(c, a, Q::B).line(a, b, Q::C);
    s.sideLabel(b, c, centre, "a", Q::A).sideLabel(c, a, centre, "b", Q::B);
    s.sideLabel(a, b, centre, "c", Q::C);
    s.angle(a, b, c, "α", Q::Alpha, 18).angle(b, c, a, "β", Q::Beta, 15);
    return s.rightAngle(c, a, b, 9);
}

Sketch Circle() {
    const P o(75, 75);
    const qreal radius = 58;
    const P rimLeft = OnCircle(o, radius, 180), rimRight = OnCircle(o, radius, 0);
    const P rimR = OnCircle(o, radius, 55);
    Sketch s;
    s.arc(o, QSizeF(radius, radius), 0, 360);
    s.line(rimLeft, rimRight, Q::D, Stroke::Thin).label(P(46, 86), "d", Q::D);
    s.line(o, rimR, Q::R, Stroke::Thin).sideLabel(o, rimR, P(120, 75), "r", Q::R, 9);
    return s.dot(o);
}

Sketch Sector() {
    const P o(22, 126);
    const qreal radius = 108;
    const P p1 = OnCircle(o, radius, 12), p2 = OnCircle(o, radius, 72);
    Sketch s;
    s.line(o, p1, Q::R).line(o, p2, Q::R).sideLabel(o, p1, p2, "r", Q::R);
    s.arc(o, QSizeF(radius, radius), 12, 60, Q::I).label(OnCircle(o, radius + 12, 42), "i", Q::I);
    return s.angle(o, p1, p2, "α", Q::Alpha, 24).dot(o);
}

Sketch Segment() {
    const P o(75, 118);
    const qreal radius = 75;
    const P q1 = OnCircle(o, radius, 35), q2 = OnCircle(o, radius, 145);
    const P mid = (q1 + q2) / 2, top = OnCircle(o, radius, 90);
    Sketch s;
    s.arc(o, QSizeF(radius, radius), 35, 110, Q::I).label(OnCircle(o, radius + 10, 120), "i", Q::I);
    s.line(q2, q1, Q::H).label(P(40, 66), "h", Q::H);
    s.line(mid, top, Q::M, Stroke::Thin).rightAngle(mid, q1, top, 6).label(P(84, 56), "m", Q::M);
    s.line(o, q1, Q::R, Stroke::Thin).line(o, q2, Q::R, Stroke::Thin);
    s.sideLabel(o, q1, q2, "r", Q::R, 9);
    return s.angle(o, q1, q2, "α", Q::Alpha, 12).dot(o);
}

// A box seen from the front and a little from the right and above.
Sketch Box(P frontTopLeft, QSizeF front, P depth, bool cube) {
    const P ftl = frontTopLeft, ftr = ftl + P(front.width(), 0);
    const P fbl = ftl + P(0, front.height()), fbr = ftr + P(0, front.height());
    Sketch s;
    s.line(ftl, ftr).line(ftr, fbr).line(fbl, fbr, Q::A).line(fbl, ftl, cube ? Q::None : Q::C);
    s.line(ftl, ftl + depth).line(ftl + depth, ftr + depth).line(ftr, ftr + depth);
    s.line(ftr + depth, fbr + depth).line(fbr, fbr + depth, cube ? Q::None : Q::B);
    const P hidden = fbl + depth;
    s.line(hidden, fbl, Q::None, Stroke::Dashed).line(hidden, fbr + depth, Q::None, Stroke::Dashed);
    s.line(hidden, ftl + depth, Q::None, Stroke::Dashed);
    const P inside = (ftl + fbr) / 2;
    s.sideLabel(fbl, fbr, inside, "a", Q::A);
    if (cube) return s;
    s.sideLabel(fbr, fbr + depth, inside, "b", Q::B);
    return s.sideLabel(fbl, ftl, inside, "c", Q::C);
}

Sketch Cylinder() {
    const P top(75, 25), bottom(75, 117);
    const QSizeF radii(48, 17);
    Sketch s;
    s.arc(top, radii, 0, 360).flatCircle(bottom, radii);
    s.line(top - P(radii.width(), 0), bottom - P(radii.width(), 0));
    s.line(top + P(radii.width(), 0), bottom + P(radii.width(), 0));
    s.line(top, bottom, Q::M, Stroke::Dashed).label(P(65, 72), "m", Q::M);
    s.line(bottom, bottom + P(radii.width(), 0), Q::R, Stroke::Thin).label(P(90, 126), "r", Q::R);
    return s.dot(top).dot(bottom);
}

Sketch Cone() {
    const P apex(75, 16), centre(75, 116), left(23, 116), right(127, 116);
    Sketch s;
    s.flatCircle(centre, QSizeF(52, 18)).line(apex, left).line(apex, right, Q::A);
    s.sideLabel(apex, right, centre, "a", Q::A);
    s.line(apex, centre, Q::M, Stroke::Dashed).label(P(65, 84), "m", Q::M);
    s.line(centre, right, Q::R, Stroke::Thin).label(P(92, 125), "r", Q::R);
    // α above the base circle, β beside the height.
    s.angle(right, centre, apex, "α", Q::Alpha, 15, -15, 18);
    s.angle(apex, left, right, "β", Q::Beta, 18, 13.75, 22);
    return s.dot(centre);
}

Sketch TruncatedCone() {
    const P top(75, 34), bottom(75, 116);
    const P topRight(105, 34), bottomRight(133, 116);
    Sketch s;
    s.flatCircle(top, QSizeF(30, 8), true).flatCircle(bottom, QSizeF(58, 18));
    s.line(P(45, 34), P(17, 116)).line(topRight, bottomRight, Q::A);
    s.sideLabel(topRight, bottomRight, bottom, "a", Q::A);
    s.line(top, bottom, Q::M, Stroke::Dashed).label(P(65, 78), "m", Q::M);
    s.line(top, topRight, Q::R, Stroke::Thin).label(P(90, 18), "r", Q::R);
    s.line(bottom, bottomRight, Q::BigR, Stroke::Thin).label(P(86, 125), "R", Q::BigR);
    s.angle(bottomRight, bottom, topRight, "α", Q::Alpha, 15, -18.3, 17);  // above the base circle
    return s.dot(top).dot(bottom);
}

Sketch Sphere() {
    const P o(75, 75);
    const qreal radius = 60;
    const P rim = OnCircle(o, radius, 40);
    Sketch s;
    s.arc(o, QSizeF(radius, radius), 0, 360).flatCircle(o, QSizeF(radius, 15));
    s.line(o, rim, Q::R, Stroke::Thin).sideLabel(o, rim, P(130, 80), "r", Q::R, 9);
    return s.dot(o);
}

// The part of a sphere cut off by a plane `drop` above its centre; the sphere's outline
// below it dashed a little past the centre, far enough to show the radius.
Sketch Cap() {
    const P o(75, 114);
    const qreal radius = 70, drop = 32;
    const qreal edge = qRadiansToDegrees(std::asin(drop / radius));
    const qreal base = std::sqrt(radius * radius - drop * drop);
    const P centre(75, o.y() - drop), rim = centre + P(base, 0), top = OnCircle(o, radius, 90);
    const QSizeF ball(radius, radius);
    Sketch s;
    s.arc(o, ball, edge, 180 - 2 * edge).flatCircle(centre, QSizeF(base, 16));
    s.arc(o, ball, -18, edge + 18, Q::None, Stroke::Dashed);
    s.arc(o, ball, 180 - edge, edge + 18, Q::None, Stroke::Dashed);
    s.line(centre, top, Q::M, Stroke::Thin).label(P(85, 56), "m", Q::M);
    s.line(centre, rim, Q::A, Stroke::Thin).label(P(100, 89), "a", Q::A);
    s.line(o, centre, Q::None, Stroke::Dashed);
    s.line(o, rim, Q::R, Stroke::Thin).sideLabel(o, rim, centre, "r", Q::R, 9);
    return s.dot(o);
}

Sketch Zone() {
    const P o(75, 78);
    const qreal radius = 62, up = 38, down = 24;
    const qreal upper = qRadiansToDegrees(std::asin(up / radius));
    const qreal lower = qRadiansToDegrees(std::asin(down / radius));
    const qreal a1 = std::sqrt(radius * radius - up * up);
    const qreal a2 = std::sqrt(radius * radius - down * down);
    const P c1(75, o.y() - up), c2(75, o.y() + down), rim = OnCircle(o, radius, 8);
    const QSizeF ball(radius, radius);
    Sketch s;
    s.arc(o, ball, -lower, upper + lower).arc(o, ball, 180 - upper, upper + lower);
    s.arc(o, ball, upper, 180 - 2 * upper, Q::None, Stroke::Dashed);
    s.arc(o, ball, 180 + lower, 180 - 2 * lower, Q::None, Stroke::Dashed);
    // Circles deep enough for the letters of their radii between line and rim.
    s.flatCircle(c1, QSizeF(a1, 20), true).flatCircle(c2, QSizeF(a2, 22));
    s.line(c1, c2, Q::M, Stroke::Thin).label(P(65, 67), "m", Q::M);
    s.line(c1, c1 + P(a1, 0), Q::A1, Stroke::Thin).label(P(96, 47.5), "a_1", Q::A1);
    s.line(c2, c2 + P(a2, 0), Q::A2, Stroke::Thin).label(P(96, 110.5), "a_2", Q::A2);
    s.line(o, rim, Q::R, Stroke::Thin).sideLabel(o, rim, P(110, 90), "r", Q::R, 9);
    return s.dot(o);
}

}  // namespace

Sketch FigureSketch(ShapeKind kind) {
    switch (kind) {
        case ShapeKind::Triangle:
            return Triangle();
        case ShapeKind::RightTriangle:
            return RightTriangle();
        case ShapeKind::Circle:
            return Circle();
        case ShapeKind::CircularSector:
            return Sector();
        case ShapeKind::CircularSegment:
            return Segment();
        case ShapeKind::Cube:
            return Box(P(18, 46), QSizeF(80, 80), P(34, -28), true);
        case ShapeKind::Cylinder:
            return Cylinder();
        case ShapeKind::Cone:
            return Cone();
        case ShapeKind::TruncatedCone:
            return TruncatedCone();
        case ShapeKind::Sphere:
            return Sphere();
        case ShapeKind::Cuboid:
            return Box(P(22, 60), QSizeF(82, 68), P(34, -30), false);
        case ShapeKind::SphericalCap:
            return Cap();
        case ShapeKind::SphericalZone:
            return Zone();
    }
    return {};
}

}  // namespace mertano
