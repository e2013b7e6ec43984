// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern/pattern_print.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "calc/language_texts.h"
#include "calc/numbers.h"
#include "pattern/pattern_drawing.h"
#include "pattern/pattern_units.h"

namespace mertano {
namespace {

// The strip along the foot of every sheet that holds the check square and the texts; the
// square fills its height.
constexpr double kFooterMm = kCheckSquareMm + 6.0;
constexpr double kPatternMarginMm = 5.0;
constexpr double kCrossArmMm = 3.0;
constexpr double kLongestScaleBarMm = 120.0;
constexpr double kTextMm = 3.5;
constexpr double kSmallTextMm = 2.5;
constexpr double kSheetNameMm = 8.0;
// A sheet smaller than this holds no useful piece of a pattern once its neighbours'
// overlaps are taken away.
constexpr double kLeastAreaMm = 3 * kSheetOverlapMm;

QString Text(const LanguageTexts& texts, int n) {
    return QString::fromStdString(texts.text(n));
}

QString WithoutZeros(QString number) {
    if (number.contains('.')) {
        while (number.endsWith('0')) number.chop(1);
        if (number.endsWith('.')) number.chop(1);
    }
    return number;
}

struct SheetLayout {
    QSizeF page;  // the printable area
    double dotsPerMm = 1;
    PatternPaths paths;  // in millimetres of the paper
    SheetGrid grid;
    double paperPerPattern = 1;
    bool scaleKnown = true;  // whether the unit has a length, so the scale means something
};

std::optional<SheetLayout> LayOut(const QPrinter& printer, const FlatPattern& pattern,
                                  std::string_view unit, PatternScale scale) {
    const std::optional<double> perUnit = MillimetresPerUnit(unit);
    if (scale == PatternScale::FullSize && !perUnit) return std::nullopt;
    SheetLayout l;
    l.dotsPerMm = printer.resolution() / 25.4;
    if (!(l.dotsPerMm > 0)) return std::nullopt;
    // Without full page the painter's origin is the printable area's corner.
    const QRectF dots = printer.pageRect(QPrinter::DevicePixel);
    l.page = dots.size() / l.dotsPerMm;
    const QSizeF area(l.page.width(), l.page.height() - kFooterMm);
    if (area.width() < kLeastAreaMm || area.height() < kLeastAreaMm) return std::nullopt;
    l.scaleKnown = perUnit.has_value();
    const PatternPaths drawn = MakePatternPaths(pattern, perUnit.value_or(1.0));
    if (scale == PatternScale::FullSize) {
        l.paths = drawn;
        l.grid = LaySheets(drawn.bounds, area, kPatternMarginMm);
        return l;
    }
    const QSizeF room(area.width() - 2 * kPatternMarginMm, area.height() - 2 * kPatternMarginMm);
    l.paperPerPattern = FittedScale(drawn.bounds.size(), room);
    if (!(l.paperPerPattern > 0) || !std::isfinite(l.paperPerPattern)) return std::nullopt;
    l.paths = MakePatternPaths(pattern, perUnit.value_or(1.0) * l.paperPerPattern);
    l.grid.area = area;
    l.grid.origin = l.paths.bounds.center() - QPointF(area.width() / 2, area.height() / 2);
    return l;
}

// Fonts take whole pixels, and a pixel is a millimetre here: the text is set in tenths.
void DrawText(QPainter& painter, const QRectF& box, int flags, const QString& text, double size,
              bool bold = false) {
    painter.save();
    painter.scale(0.1, 0.1);
    QFont font = QGuiApplication::font();
    font.setPixelSize(static_cast<int>(std::lround(size * 10)));
    font.setBold(bold);
    painter.setFont(font);
    painter.drawText(QRectF(box.topLeft() * 10, box.size() * 10), flags, text);
    painter.restore();
}

QPen MarkPen() {
    return QPen(Qt::black, kMarkLineMm, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

// The longest of 1, 2 or 5 times a power of ten (in the pattern's millimetres) that stays
// within `longest` on paper.
double ScaleBarLength(double paperPerPattern, double longest) {
    const double target = longest / paperPerPattern;
    const double power = std::pow(10.0, std::floor(std::log10(target)));
    for (double step : {5.0, 2.0, 1.0})
        if (step * power <= target) return step * power;
    return power;
}

// Ten divisions, the ends and the middle longer and numbered in millimetres.
void DrawScaleBar(QPainter& painter, QPointF start, double paperPerPattern, double longest) {
    const double length = ScaleBarLength(paperPerPattern, longest);
    const double onPaper = length * paperPerPattern;
    painter.setPen(MarkPen());
    painter.drawLine(start, start + QPointF(onPaper, 0));
    for (int k = 0; k <= 10; ++k) {
        const double x = start.x() + onPaper * k / 10;
        const bool numbered = k % 5 == 0;
        painter.drawLine(QPointF(x, start.y()), QPointF(x, start.y() - (numbered ? 3.0 : 1.5)));
        if (!numbered) continue;
        QString label = QString::number(length * k / 10, 'g', 6);
        if (k == 10) label += QStringLiteral(" mm");
        const double width = 20;
        const int align = k == 0 ? Qt::AlignLeft : k == 10 ? Qt::AlignRight : Qt::AlignHCenter;
        const double left = k == 0 ? x : k == 10 ? x - width : x - width / 2;
        DrawText(painter, QRectF(left, start.y() + 0.8, width, kSmallTextMm * 1.5),
                 align | Qt::AlignTop, label, kSmallTextMm);
    }
}

void DrawCross(QPainter& painter, QPointF at) {
    painter.drawLine(at - QPointF(kCrossArmMm, 0), at + QPointF(kCrossArmMm, 0));
    painter.drawLine(at - QPointF(0, kCrossArmMm), at + QPointF(0, kCrossArmMm));
}

// Crosses in the middle of each strip this sheet shares with a neighbour, at places worked
// out from the whole grid, so that the neighbour prints the same crosses on the same spot
// of the pattern; beside the middle one, the neighbour's name.
void DrawOverlapMarks(QPainter& painter, const SheetGrid& grid, int column, int row) {
    const QPointF origin = grid.sheetOrigin(column, row);
    const double o = grid.overlap, w = grid.area.width(), h = grid.area.height();
    painter.setPen(MarkPen());
    const auto vertical = [&](double x, int neighbour, bool after) {
        for (double y : {origin.y() + o / 2, origin.y() + h / 2, origin.y() + h - o / 2})
            DrawCross(painter, QPointF(x, y));
        const double y = origin.y() + h / 2 + (after ? kCrossArmMm + 0.5 : -kCrossArmMm - 5.0);
        DrawText(painter, QRectF(x - o / 2, y, o, 4.5), Qt::AlignCenter,
                 SheetName(neighbour, row), kSmallTextMm);
    };
    const auto horizontal = [&](double y, int neighbour, bool after) {
        for (double x : {origin.x() + o / 2, origin.x() + w / 2, origin.x() + w - o / 2})
            DrawCross(painter, QPointF(x, y));
        const double x = origin.x() + w / 2 + (after ? kCrossArmMm + 0.5 : -kCrossArmMm - 10.5);
        DrawText(painter, QRectF(x, y - 2.25, 10, 4.5), Qt::AlignCenter,
                 SheetName(column, neighbour), kSmallTextMm);
    };
    if (column > 0) vertical(origin.x() + o / 2, column - 1, false);
    if (column + 1 < grid.columns) vertical(origin.x() + w - o / 2, column + 1, true);
    if (row > 0) horizontal(origin.y() + o / 2, row - 1, false);
    if (row + 1 < grid.rows) horizontal(origin.y() + h - o / 2, row + 1, true);
}

// Along the edges where the sheet goes over its neighbours: the paper beyond them is cut
// away, or its blank margin would cover the neighbour's part of the pattern.
void DrawTrimLines(QPainter& painter, const SheetGrid& grid, int column, int row) {
    QPen pen = MarkPen();
    pen.setDashPattern({1.0 / kMarkLineMm, 1.0 / kMarkLineMm});
    painter.setPen(pen);
    if (column > 0) painter.drawLine(QPointF(0, 0), QPointF(0, grid.area.height()));
    if (row > 0) painter.drawLine(QPointF(0, 0), QPointF(grid.area.width(), 0));
}

struct SheetTexts {
    QString caption, scale, checkSquare, sheet, name;
};

// The foot of the sheet: the caption, the scale, which sheet this is, the scale bar, and
// at the right the check square.
void DrawFooter(QPainter& painter, const SheetLayout& l, const SheetTexts& t) {
    const double top = l.page.height() - kCheckSquareMm - 0.5;
    const QRectF square(l.page.width() - kCheckSquareMm - 0.5, top, kCheckSquareMm,
                        kCheckSquareMm);
    painter.setPen(MarkPen());
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(square);
    DrawText(painter, square.adjusted(3, 3, -3, -3), Qt::AlignCenter | Qt::TextWordWrap,
             t.checkSquare, kTextMm);

    const double width = square.left() - 6.0;
    DrawText(painter, QRectF(0, top, width, 2.6 * kTextMm),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, t.caption, kTextMm, true);
    double y = top + 3.0 * kTextMm;
    if (!t.scale.isEmpty()) {
        DrawText(painter, QRectF(0, y, width, 1.4 * kTextMm), Qt::AlignLeft | Qt::AlignTop,
                 t.scale, kTextMm);
        y += 1.8 * kTextMm;
    }
    if (!t.name.isEmpty()) {
        constexpr double nameWidth = 24;
        DrawText(painter, QRectF(0, y, nameWidth, kSheetNameMm * 1.3),
                 Qt::AlignLeft | Qt::AlignTop, t.name, kSheetNameMm, true);
        DrawText(painter, QRectF(nameWidth, y, width - nameWidth, 3.6 * kTextMm),
                 Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, t.sheet, kTextMm);
    }
    if (l.scaleKnown)
        DrawScaleBar(painter, QPointF(0, l.page.height() - 6.0), l.paperPerPattern,
                     std::min(kLongestScaleBarMm, width - 12.0));
}

}  // namespace

QPointF SheetGrid::sheetOrigin(int column, int row) const {
    return origin + QPointF(column * (area.width() - overlap), row * (area.height() - overlap));
}

SheetGrid LaySheets(const QRectF& pattern, const QSizeF& area, double margin, double overlap) {
    SheetGrid grid;
    grid.area = area;
    grid.overlap = overlap;
    // Each further sheet adds its area less the overlap; together they cover the pattern
    // and its margins, and what they cover beyond that is shared out on both sides.
    const auto along = [&](double length, double room, int& count) {
        const double needed = length + 2 * margin;
        count = needed <= room ? 1
                               : static_cast<int>(std::ceil((needed - overlap) / (room - overlap)));
        const double covered = count * (room - overlap) + overlap;
        return -(covered - length) / 2;
    };
    const double left = along(pattern.width(), area.width(), grid.columns);
    const double top = along(pattern.height(), area.height(), grid.rows);
    grid.origin = pattern.topLeft() + QPointF(left, top);
    return grid;
}

QString SheetName(int column, int row) {
    QString letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar('A' + (n - 1) % 26));
    return letters + QString::number(row + 1);
}

double FittedScale(const QSizeF& pattern, const QSizeF& area) {
    const auto fit = [](double room, double length) {
        return length > 0 ? room / length : std::numeric_limits<double>::infinity();
    };
    const double exact = std::min(fit(area.width(), pattern.width()),
                                  fit(area.height(), pattern.height()));
    if (!std::isfinite(exact) || !(exact > 0)) return 0;
    // The ratio is rounded away from the page's edge, so the stated scale always fits.
    if (exact < 1) return 100.0 / std::ceil(100.0 / exact);
    return std::floor(exact * 100.0) / 100.0;
}

QString ScaleText(double paperPerPattern) {
    if (std::fabs(paperPerPattern - 1) < 1e-12) return QStringLiteral("1:1");
    if (paperPerPattern < 1)
        return QStringLiteral("1:") +
               WithoutZeros(QString::fromStdString(FormatFixed(1.0L / paperPerPattern, 2)));
    return WithoutZeros(QString::fromStdString(FormatFixed(paperPerPattern, 2))) +
           QStringLiteral(":1");
}

int PatternSheetCount(const QPrinter& printer, const FlatPattern& pattern, std::string_view unit,
                      PatternScale scale) {
    const std::optional<SheetLayout> l = LayOut(printer, pattern, unit, scale);
    return l ? l->grid.count() : 0;
}

PatternPrintOutcome PrintPattern(QPrinter& printer, const FlatPattern& pattern,
                                 std::string_view unit, PatternScale scale,
                                 const LanguageTexts& texts, const QString& caption) {
    if (scale == PatternScale::FullSize && !MillimetresPerUnit(unit))
        return PatternPrintOutcome::NoMillimetres;
    const std::optional<SheetLayout> l = LayOut(printer, pattern, unit, scale);
    if (!l) return PatternPrintOutcome::Failed;
    const SheetGrid& grid = l->grid;
    const int count = grid.count();
    int first = 1, last = count;
    if (printer.fromPage() > 0) first = std::clamp(printer.fromPage(), 1, count);
    if (printer.toPage() > 0) last = std::clamp(printer.toPage(), first, count);

    SheetTexts t;
    t.caption = caption;
    t.checkSquare = Text(texts, kTextCheckSquare);
    if (scale == PatternScale::FullSize)
        t.scale = Text(texts, kTextScaleFull);
    else if (l->scaleKnown)
        t.scale = Text(texts, kTextScaleOf).arg(ScaleText(l->paperPerPattern));

    const QPen outlinePen(Qt::black, kOutlineLineMm, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    QPainter painter;
    if (!painter.begin(&printer)) return PatternPrintOutcome::Failed;
    for (int sheet = first; sheet <= last; ++sheet) {
        if (sheet > first && !printer.newPage()) return PatternPrintOutcome::Failed;
        // Down the columns first, as the sheets are named: A1, A2, ..., B1, ...
        const int column = (sheet - 1) / grid.rows, row = (sheet - 1) % grid.rows;
        painter.resetTransform();
        painter.setRenderHint(QPainter::Antialiasing);
        // Device dots to millimetres of paper, exactly: the check square is measured in them.
        painter.scale(l->dotsPerMm, l->dotsPerMm);
        painter.save();
        painter.setClipRect(QRectF(QPointF(0, 0), grid.area));
        painter.translate(-grid.sheetOrigin(column, row));
        StrokePatternPaths(painter, l->paths, outlinePen, 3.0, 1.5);
        if (count > 1) DrawOverlapMarks(painter, grid, column, row);
        painter.restore();
        DrawTrimLines(painter, grid, column, row);
        t.name = count > 1 ? SheetName(column, row) : QString();
        t.sheet = count > 1
                      ? Text(texts, kTextSheetLabel).arg(t.name, QString::number(count))
                      : QString();
        DrawFooter(painter, *l, t);
    }
    return painter.end() ? PatternPrintOutcome::Printed : PatternPrintOutcome::Failed;
}

}  // namespace mertano
