// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The flat pattern as a DXF drawing (AutoCAD 2000 format, ASCII) for cutting machines and
// drawing programs: LINE and ARC entities in the figure's unit, the piece on the layer
// "OUTLINE", the seam's overlap dashed on the layer "SEAM", the unit in $INSUNITS.
#include <QByteArray>
#include <QString>
#include <string_view>

#include "calc/flat_pattern.h"

namespace mertano {

inline constexpr char kOutlineLayer[] = "OUTLINE";
inline constexpr char kSeamLayer[] = "SEAM";

// The drawing's bytes; empty when it could not be made (no room for the temporary file
// the DXF writer needs).
QByteArray PatternDxf(const FlatPattern& pattern, std::string_view unit);

// The same written to `path` in one piece; false with the reason in `error` when it
// could not be.
bool WritePatternDxf(const FlatPattern& pattern, std::string_view unit, const QString& path,
                     QString* error = nullptr);

}  // namespace mertano
