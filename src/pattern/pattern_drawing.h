// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The flat pattern as painter paths, for the window and for paper alike, so that what is
// seen and what is printed are one drawing. The outline's y points up; here, as on any
// Qt device, y points down.
#include <QPainterPath>
#include <QRectF>

#include "calc/flat_pattern.h"

class QPainter;
class QPen;

namespace mertano {

struct PatternPaths {
    QPainterPath outline;  // the piece's own edges, one closed run
    QPainterPath seam;     // the overlap's three edges; empty without a seam
    QRectF bounds;         // both together, arcs by their true extent
};

// The paths at `scale` drawing units to one unit of the figure (the millimetres of
// MillimetresPerUnit for paper, 1 for the window, which fits them to itself).
PatternPaths MakePatternPaths(const FlatPattern& pattern, double scale);

// Strokes the outline solid and the seam dashed with `pen`, the dashes `dash` and the gaps
// `gap` long in the units the pen's width is in (device pixels for a cosmetic pen).
void StrokePatternPaths(QPainter& painter, const PatternPaths& paths, const QPen& pen, double dash,
                        double gap);

}  // namespace mertano
