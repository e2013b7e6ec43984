// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern/pattern_drawing.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace mertano {
namespace {

bool Near(QPointF a, QPointF b, double tolerance) {
    return std::fabs(a.x() - b.x()) <= tolerance && std::fabs(a.y() - b.y()) <= tolerance;
}

// One group of pieces as a path: a piece that starts, or ends, where the last one ended
// carries on from there (the truncated cone's inner arc comes end first), any other starts
// a run of its own, and a run back at its start is closed, so its corners are joined.
QPainterPath GroupPath(const std::vector<OutlinePiece>& outline, bool seam, double scale,
                       double tolerance) {
    const auto at = [scale](PatternPoint p) {
        return QPointF(static_cast<double>(p.x) * scale, -static_cast<double>(p.y) * scale);
    };
    QPainterPath path;
    QPointF runStart, current;
    bool open = false;
    const auto closeRun = [&] {
        if (open && Near(current, runStart, tolerance)) path.closeSubpath();
        open = false;
    };
    for (const OutlinePiece& piece : outline) {
        if (piece.seam != seam) continue;
        const QPointF from = at(piece.from), to = at(piece.to);
        const bool carriesOn = open && Near(current, from, tolerance);
        const bool backward = open && !carriesOn && Near(current, to, tolerance);
        if (!carriesOn && !backward) {
            closeRun();
            path.moveTo(from);
            runStart = from;
            open = true;
        }
        if (piece.kind == OutlinePiece::Kind::Line) {
            path.lineTo(backward ? from : to);
        } else {
            // Qt counts arc angles counter-clockwise as seen on a screen whose y points
            // down, which is the outline's own counter-clockwise turned over with it: the
            // angles carry across unchanged.
            const double r = static_cast<double>(piece.radius) * scale;
            const QPointF c = at(piece.centre);
            const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
            const double start = static_cast<double>(piece.startDegrees);
            const double sweep = static_cast<double>(piece.endDegrees - piece.startDegrees);
            if (backward)
                path.arcTo(box, start + sweep, -sweep);
            else
                path.arcTo(box, start, sweep);
        }
        current = backward ? from : to;
    }
    closeRun();
    return path;
}

}  // namespace

PatternPaths MakePatternPaths(const FlatPattern& pattern, double scale) {
    const std::vector<OutlinePiece> outline = PatternOutline(pattern);
    const PatternBounds b = OutlineBounds(outline);
    PatternPaths paths;
    paths.bounds = QRectF(QPointF(static_cast<double>(b.min.x) * scale,
                                  -static_cast<double>(b.max.y) * scale),
                          QPointF(static_cast<double>(b.max.x) * scale,
                                  -static_cast<double>(b.min.y) * scale));
    const double tolerance =
        std::max(paths.bounds.width(), paths.bounds.height()) * 1e-9 + 1e-12;
    paths.outline = GroupPath(outline, false, scale, tolerance);
    paths.seam = GroupPath(outline, true, scale, tolerance);
    return paths;
}

void StrokePatternPaths(QPainter& painter, const PatternPaths& paths, const QPen& pen, double dash,
                        double gap) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(pen);
    painter.drawPath(paths.outline);
    if (!paths.seam.isEmpty()) {
        // A pen's dashes are counted in its widths.
        const double width = pen.widthF() > 0 ? pen.widthF() : 1.0;
        QPen dashed = pen;
        dashed.setDashPattern({dash / width, gap / width});
        painter.setPen(dashed);
        painter.drawPath(paths.seam);
    }
    painter.restore();
}

}  // namespace mertano
