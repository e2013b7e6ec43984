// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern_svg.h"

#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>

#include "calc/numbers.h"
#include "pattern/pattern_save.h"
#include "pattern/pattern_units.h"

namespace mertano {
namespace {

// In millimetres, which the drawing's own units are.
constexpr double kMargin = 5.0;
constexpr double kStroke = 0.25;
constexpr double kTextSize = 3.5;
constexpr double kTextLine = 5.0;

// Twelve significant digits hold a tenth of a micrometre on a piece metres wide, and
// still say something about a piece smaller than a millimetre.
QString Num(double x) {
    // A rounding error away from 0 would otherwise be written as "-1e-17".
    if (std::fabs(x) < 1e-12) x = 0.0;
    return QString::number(x, 'g', 12);
}

struct Point {
    double x, y;
};

// The drawing in millimetres with y downward, as SVG has it.
class Drawing {
public:
    explicit Drawing(double scale) : scale_(scale) {}
    Point at(PatternPoint p) const {
        return {static_cast<double>(p.x) * scale_, -static_cast<double>(p.y) * scale_};
    }
    double length(long double x) const { return static_cast<double>(x) * scale_; }

private:
    double scale_;
};

bool Near(Point a, Point b, double tolerance) {
    return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance;
}

// The path data of the pieces of one group: a piece that starts (or ends) where the last
// ended carries on from there, any other starts a new run, and a run back at its start is
// closed, so a cutter follows one contour without lifting.
QString PathData(const std::vector<OutlinePiece>& outline, bool seam, const Drawing& d,
                 double tolerance) {
    QString data;
    Point runStart{}, current{};
    bool open = false;
    auto closeRun = [&] {
        if (open && Near(current, runStart, tolerance)) data += QStringLiteral(" Z");
        open = false;
    };
    for (const OutlinePiece& piece : outline) {
        if (piece.seam != seam) continue;
        const Point from = d.at(piece.from), to = d.at(piece.to);
        const bool backward =
            open && !Near(current, from, tolerance) && Near(current, to, tolerance);
        if (!backward && !(open && Near(current, from, tolerance))) {
            closeRun();
            data += (data.isEmpty() ? QStringLiteral("M ") : QStringLiteral(" M ")) + Num(from.x) +
                    ' ' + Num(from.y);
            runStart = from;
            open = true;
        }
        const Point end = backward ? from : to;
        if (piece.kind == OutlinePiece::Kind::Line) {
            data += QStringLiteral(" L ") + Num(end.x) + ' ' + Num(end.y);
        } else {
            // Counter-clockwise with y upward is the negative sweep once y points down. An
            // arc of more than half a turn goes as two halves: a whole turn has no single
            // SVG arc, its ends being one point.
            const double radius = d.length(piece.radius);
            const long double sweep = piece.endDegrees - piece.startDegrees;
            const int parts = sweep > 180.0L ? 2 : 1;
            const char* flag = backward ? " 0 0 1 " : " 0 0 0 ";
            for (int k = 1; k <= parts; ++k) {
                const long double t = backward ? piece.endDegrees - sweep * k / parts
                                               : piece.startDegrees + sweep * k / parts;
                const Point p =
                    k == parts ? end
                               : d.at({piece.centre.x + piece.radius * std::cos(t * kDegToRad),
                                       piece.centre.y + piece.radius * std::sin(t * kDegToRad)});
                data += QStringLiteral(" A ") + Num(radius) + ' ' + Num(radius) +
                        QLatin1String(flag) + Num(p.x) + ' ' + Num(p.y);
            }
        }
        current = end;
    }
    closeRun();
    return data;
}

QString Length(long double x, std::string_view unit) {
    return QString::fromStdString(FormatFixed(x, 4)) + ' ' +
           QString::fromUtf8(unit.data(), unit.size());
}

QString DimensionText(const FlatPattern& p, std::string_view unit) {
    if (p.kind == PatternKind::Rectangle)
        return Length(p.width, unit) + QStringLiteral(" × ") + Length(p.height, unit);
    QString text = QStringLiteral("R = ") + Length(p.outerRadius, unit);
    if (p.kind == PatternKind::AnnularSector)
        text += QStringLiteral(", r = ") + Length(p.innerRadius, unit);
    text += QStringLiteral(", θ = %1° %2′ %3″")
                .arg(p.angle.degrees)
                .arg(p.angle.minutes)
                .arg(p.angle.seconds);
    text += QStringLiteral(", h = ") + Length(p.chord, unit);
    return text;
}

void WriteGroup(QXmlStreamWriter& xml, const QString& id, const QString& data, bool dashed) {
    xml.writeStartElement(QStringLiteral("g"));
    xml.writeAttribute(QStringLiteral("id"), id);
    xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
    xml.writeAttribute(QStringLiteral("stroke"), QStringLiteral("#000000"));
    xml.writeAttribute(QStringLiteral("stroke-width"), Num(kStroke));
    if (dashed) xml.writeAttribute(QStringLiteral("stroke-dasharray"), QStringLiteral("2 1"));
    xml.writeStartElement(QStringLiteral("path"));
    xml.writeAttribute(QStringLiteral("d"), data);
    xml.writeEndElement();
    xml.writeEndElement();
}

}  // namespace

QByteArray PatternSvg(const FlatPattern& pattern, std::string_view unit,
                      const PatternSvgOptions& options) {
    const Drawing d(MillimetresPerUnit(unit).value_or(1.0));
    const std::vector<OutlinePiece> outline = PatternOutline(pattern);
    const PatternBounds bounds = OutlineBounds(outline);
    const Point corner1 = d.at(bounds.min), corner2 = d.at(bounds.max);
    const double left = std::min(corner1.x, corner2.x), top = std::min(corner1.y, corner2.y);
    const double width = std::fabs(corner2.x - corner1.x),
                 height = std::fabs(corner2.y - corner1.y);
    // Ends that meet lie this close in the drawing, whatever its size.
    const double tolerance = std::max(width, height) * 1e-9 + 1e-12;

    const QString text = !options.caption.isEmpty() ? options.caption
                         : options.dimensionText    ? DimensionText(pattern, unit)
                                                    : QString();
    const double textRoom = text.isEmpty() ? 0.0 : kTextLine;
    // A small piece still leaves room for its text, each letter taken as 0.6 of its size.
    const double textWidth = static_cast<double>(text.size()) * kTextSize * 0.6;
    const double boxWidth = std::max(width, textWidth) + 2 * kMargin,
                 boxHeight = height + 2 * kMargin + textRoom;

    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("svg"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("width"), Num(boxWidth) + QStringLiteral("mm"));
    xml.writeAttribute(QStringLiteral("height"), Num(boxHeight) + QStringLiteral("mm"));
    xml.writeAttribute(QStringLiteral("viewBox"), Num(left - kMargin) + ' ' + Num(top - kMargin) +
                                                      ' ' + Num(boxWidth) + ' ' + Num(boxHeight));
    WriteGroup(xml, QStringLiteral("outline"), PathData(outline, false, d, tolerance), false);
    if (pattern.seam > 0.0L)
        WriteGroup(xml, QStringLiteral("seam"), PathData(outline, true, d, tolerance), true);
    if (!text.isEmpty()) {
        xml.writeStartElement(QStringLiteral("text"));
        xml.writeAttribute(QStringLiteral("x"), Num(left));
        xml.writeAttribute(QStringLiteral("y"), Num(top + height + kMargin + kTextSize));
        xml.writeAttribute(QStringLiteral("font-family"), QStringLiteral("sans-serif"));
        xml.writeAttribute(QStringLiteral("font-size"), Num(kTextSize));
        xml.writeCharacters(text);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

bool WritePatternSvg(const FlatPattern& pattern, std::string_view unit, const QString& path,
                     QString* error, const PatternSvgOptions& options) {
    return SavePatternFile(path, PatternSvg(pattern, unit, options), error);
}

}  // namespace mertano
