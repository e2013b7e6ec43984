// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The flat pattern as SVG at its true size: width and height in millimetres, one unit of
// the drawing a millimetre, so that printed at 100 % it can be cut out along its lines.
#include <QByteArray>
#include <QString>
#include <string_view>

#include "calc/flat_pattern.h"

namespace mertano {

struct PatternSvgOptions {
    // Below the drawing: its measures in symbols and numbers only (R, r, θ, the chord h,
    // the rectangle's sides), or the caller's own words in its language when set.
    bool dimensionText = true;
    QString caption;
};

// The outline in the figure's unit (see MillimetresPerUnit; any other unit is drawn a
// millimetre to the unit), the piece's edges in one group and the seam's overlap dashed in
// a group of its own ("outline" and "seam"), arcs as true SVG arcs.
QByteArray PatternSvg(const FlatPattern& pattern, std::string_view unit,
                      const PatternSvgOptions& options = {});

// The same written to `path` in one piece (nothing is left half written); false with the
// reason in `error` when it could not be.
bool WritePatternSvg(const FlatPattern& pattern, std::string_view unit, const QString& path,
                     QString* error = nullptr, const PatternSvgOptions& options = {});

}  // namespace mertano
