// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The flat pattern on paper: at its true size, over as many sheets as it takes, or scaled
// to one sheet at a stated scale. Every sheet carries a scale bar and a 50 mm check
// square, so a printer that shrank the page to its margins gives itself away before
// anything is cut. Everything is drawn in millimetres of the paper.
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <string_view>

#include "calc/flat_pattern.h"

class QPrinter;

namespace mertano {

class LanguageTexts;

enum class PatternScale { FullSize, Fitted };

enum class PatternPrintOutcome {
    Printed,
    NoMillimetres,  // full size in a unit that has no length in millimetres
    Failed,         // the printer could not be drawn on, or its page holds no drawing
};

// On paper, in millimetres.
inline constexpr double kSheetOverlapMm = 10.0;  // what neighbouring sheets share
inline constexpr double kCheckSquareMm = 50.0;
inline constexpr double kOutlineLineMm = 0.35;  // the line to cut along, the thickest
inline constexpr double kMarkLineMm = 0.2;      // scale bar, check square, sheet marks

// How a pattern at full size is laid over sheets, in the pattern's millimetres with y
// downward (as MakePatternPaths gives them).
struct SheetGrid {
    int columns = 1;
    int rows = 1;
    QPointF origin;  // where sheet A1's drawing area starts
    QSizeF area;     // each sheet's drawing area
    double overlap = kSheetOverlapMm;

    int count() const { return columns * rows; }
    // Where the drawing area of the sheet in that column and row (from 0) starts.
    QPointF sheetOrigin(int column, int row) const;
};

// The fewest sheets whose drawing areas, overlapping by `overlap`, hold the pattern with
// `margin` around it, the pattern centred on them all.
SheetGrid LaySheets(const QRectF& pattern, const QSizeF& area, double margin,
                    double overlap = kSheetOverlapMm);

// "A1" for the first column and row (from 0), "B1" beside it, "A2" below it; after "Z"
// the columns go on "AA", "AB", ...
QString SheetName(int column, int row);

// The paper's length to the pattern's, rounded down to two decimals of the ratio so that
// the pattern still fits and the scale stated is the scale drawn: 1/2.35 for "1:2.35".
double FittedScale(const QSizeF& pattern, const QSizeF& area);
// "1:2.35" below full size, "2.5:1" above it, "1:1" at it.
QString ScaleText(double paperPerPattern);

// The sheets the pattern takes on the printer's page as it is now set up.
int PatternSheetCount(const QPrinter& printer, const FlatPattern& pattern, std::string_view unit,
                      PatternScale scale);

// Prints the pattern (the printer's page range, when it has one, picks the sheets) with
// `caption` (the figure and its measures, in the user's language) on every sheet.
PatternPrintOutcome PrintPattern(QPrinter& printer, const FlatPattern& pattern,
                                 std::string_view unit, PatternScale scale,
                                 const LanguageTexts& texts, const QString& caption);

}  // namespace mertano
