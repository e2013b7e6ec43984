// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The flat pattern (development) of a solved cone, truncated cone or cylinder: the piece
// of sheet that rolls up into the figure's side, its measures, and its outline as lines
// and arcs, which the SVG, the DXF and any drawing all take from here so that they
// never disagree.
#include <optional>
#include <vector>

#include "calc/field_ops.h"
#include "calc/numbers.h"
#include "shapes/shape_kind.h"

namespace mertano {

enum class PatternKind {
    Sector,         // a cone: a circular sector of radius a
    AnnularSector,  // a truncated cone: the sector of the whole cone less the cut-off tip
    Rectangle,      // a cylinder, and a truncated cone whose faces are equal
};

// Lengths in the figure's unit, angles in degrees.
struct FlatPattern {
    PatternKind kind = PatternKind::Sector;
    // The sectors' radii: the outer is the slant height of the whole cone, the inner that
    // of the tip cut off (0 for a cone).
    long double outerRadius = 0;
    long double innerRadius = 0;
    // The sectors' opening, from 0 up to 360 (a cone of no height unrolls to a whole disc).
    long double angleDegrees = 0;
    AngleParts angle;  // the same in degrees, minutes and seconds, as the window shows angles
    // The curved edges: the circumferences of the larger and the smaller face (for a
    // rectangle both are its width, the edges that wrap around the faces).
    long double outerArc = 0;
    long double innerArc = 0;
    // The straight distance between the two ends of the outer arc, what is measured with
    // a rule when marking out (at any opening, past 180° too); for a rectangle its width.
    long double chord = 0;
    // The rectangle's sides: around (2·π·r) and along (the height). 0 for the sectors.
    long double width = 0;
    long double height = 0;
    // The overlap added along the straight edge that starts at angle 0 (the rectangle's
    // left edge), as wide as asked; 0 for none.
    long double seam = 0;
    // Whether that overlap runs into the piece's other straight edge: a cone opened past
    // 270° has no room for it at the tip, a nearly flat truncated cone none at the inner arc.
    bool seamOverlaps = false;
};

// The measures of a solved figure in its unit. Only what the figure has is read: the
// radius r, for the truncated cone the other face's radius R (either face may be the
// larger), the slant height a and the height m. A slant height of 0 is worked out from
// r (and R) and m.
struct PatternValues {
    long double r = 0;
    long double R = 0;
    long double a = 0;
    long double m = 0;
};

// The pattern of a cone, a truncated cone or a cylinder; nothing for any other figure,
// or for values no such figure has (a radius of 0, a slant height shorter than the
// faces' difference, a cylinder without height). A truncated cone with equal faces is a
// cylinder and unrolls to the rectangle; one whose smaller face is 0 is a cone. A seam
// of 0 or less adds none.
std::optional<FlatPattern> MakeFlatPattern(ShapeKind shape, const PatternValues& values,
                                           long double seam = 0);
// The same from the fields of a solved figure (r, R, a and ma as its fields hold them)
// and the chosen figure.
std::optional<FlatPattern> MakeFlatPattern(const FieldOps& fields, long double seam = 0);

struct PatternPoint {
    long double x = 0;
    long double y = 0;
};

// One piece of the outline, in the figure's unit with y upward (as DXF has it). A line
// runs from `from` to `to`; an arc turns counter-clockwise about `centre` from
// startDegrees to endDegrees (end above start, at most 360 more), and `from` and `to`
// are its ends. Pieces of the seam's overlap are marked as such.
struct OutlinePiece {
    enum class Kind { Line, Arc };
    Kind kind = Kind::Line;
    bool seam = false;
    PatternPoint from;
    PatternPoint to;
    PatternPoint centre;
    long double radius = 0;
    long double startDegrees = 0;
    long double endDegrees = 0;
};

// The outline: first the piece's own edges, one closed run, each starting where the last
// ended (the truncated cone's inner arc run backward, from its end to its start), then
// the overlap's three edges from one end of the piece's edge to the other. The apex of a
// sector lies at the origin with its first straight edge along the x axis; a rectangle
// has its lower left corner there.
std::vector<OutlinePiece> PatternOutline(const FlatPattern& pattern);

struct PatternBounds {
    PatternPoint min;
    PatternPoint max;
};
// The smallest box holding every piece, arcs by their true extent.
PatternBounds OutlineBounds(const std::vector<OutlinePiece>& outline);

}  // namespace mertano
