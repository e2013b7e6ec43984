// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/picture_sketch.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <cmath>

#include "pictures/glyph_outlines.h"

namespace mertano {

namespace {

// Direction of v in the degrees QPainter's arcs use (y grows downwards on screen).
qreal ScreenAngle(QPointF v) {
    return qRadiansToDegrees(std::atan2(-v.y(), v.x()));
}

QPointF Unit(QPointF v) {
    const qreal length = std::hypot(v.x(), v.y());
    return length > 0 ? v / length : QPointF();
}

QPointF Towards(qreal degrees) {
    const qreal rad = qDegreesToRadians(degrees);
    return {std::cos(rad), -std::sin(rad)};
}

QFont LabelFont(qreal pixelSize) {
    QFont font;
    font.setFamilies({"DejaVu Serif", "Times New Roman", "Liberation Serif"});
    font.setStyleHint(QFont::Serif);
    font.setItalic(true);
    font.setPixelSize(qRound(pixelSize));
    return font;
}

bool IsMarked(const SketchElement& e, Quantity marked) {
    return marked != Quantity::None && e.quantity == marked;
}

qreal sketchStroke = 1.0;

QPen PenFor(const SketchElement& e, bool marked) {
    if (marked) {
        QPen pen(MarkColour(), 2.2 * sketchStroke);
        pen.setCapStyle(Qt::RoundCap);
        return pen;
    }
    QPen pen(Qt::black, (e.stroke == Stroke::Outline ? 1.6 : 1.0) * sketchStroke);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    if (e.stroke == Stroke::Dashed) {
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern({4, 3});
    }
    return pen;
}

void PaintStroke(QPainter& painter, const SketchElement& e, bool marked) {
    painter.setPen(PenFor(e, marked));
    painter.setBrush(Qt::NoBrush);
    switch (e.kind) {
        case SketchElement::Kind::Line:
            painter.drawLine(e.at, e.to);
            break;
        case SketchElement::Kind::Arc: {
            const QRectF box(e.at - QPointF(e.radii.width(), e.radii.height()), e.radii * 2);
            painter.drawArc(box, qRound(e.startDeg * 16), qRound(e.spanDeg * 16));
            break;
        }
        case SketchElement::Kind::Dot:
            painter.setPen(Qt::NoPen);
            painter.setBrush(marked ? MarkColour() : QColor(Qt::black));
            painter.drawEllipse(e.at, 1.8, 1.8);
            break;
        case SketchElement::Kind::Label:
            break;
    }
}

}  // namespace

namespace {

// Where the font would set a letter put at `at`: it positions letters in 64ths of a
// pixel, cut towards zero.
QPointF FontGrid(QPointF at) {
    return {std::trunc(at.x() * 64) / 64, std::trunc(at.y() * 64) / 64};
}

// A label's text at a pixel size, set at the origin: from the stored letters when it has
// them all, so that drawing a figure loads no font, else from the font itself.
LabelLetter SetLabelText(const QString& text, int pixels) {
    LabelLetter set{QPainterPath(), 0, 0, 0};
    for (const QChar c : text) {
        const std::optional<LabelLetter> letter = StoredLabelLetter(c, pixels);
        if (!letter) {
            const QFont font = LabelFont(pixels);
            const QFontMetricsF metrics(font);
            const QRectF ink = metrics.tightBoundingRect(text);
            set = {QPainterPath(), metrics.horizontalAdvance(text), ink.top(), ink.bottom()};
            set.outline.addText(QPointF(0, 0), font, text);
            return set;
        }
        set.outline.addPath(letter->outline.translated(set.advance, 0));
        set.inkTop = std::min(set.inkTop, letter->inkTop);
        set.inkBottom = std::max(set.inkBottom, letter->inkBottom);
        set.advance += letter->advance;
    }
    return set;
}

}  // namespace

QPainterPath LabelPath(const SketchElement& e) {
    const qsizetype split = e.text.indexOf('_');
    const LabelLetter base = SetLabelText(split < 0 ? e.text : e.text.left(split), 15);
    const LabelLetter sub = SetLabelText(split < 0 ? QString() : e.text.mid(split + 1), 11);
    const QPointF origin(e.at.x() - (base.advance + sub.advance) / 2,
                         e.at.y() - (base.inkTop + base.inkBottom) / 2);
    QPainterPath path = base.outline.translated(FontGrid(origin));
    if (!sub.outline.isEmpty())
        path.addPath(sub.outline.translated(FontGrid(origin + QPointF(base.advance, 3))));
    return path;
}

QPainterPath StrokeArea(const SketchElement& e) {
    QPainterPath centre;
    if (e.kind == SketchElement::Kind::Line) {
        centre.moveTo(e.at);
        centre.lineTo(e.to);
    } else if (e.kind == SketchElement::Kind::Arc) {
        const QRectF box(e.at - QPointF(e.radii.width(), e.radii.height()), e.radii * 2);
        centre.arcMoveTo(box, e.startDeg);
        centre.arcTo(box, e.startDeg, e.spanDeg);
    } else {
        return {};
    }
    QPainterPathStroker stroker;
    stroker.setWidth(PenFor(e, true).widthF());  // the widest, a marked line's
    stroker.setCapStyle(Qt::RoundCap);
    return stroker.createStroke(centre);
}

namespace {

// Letters sit on a white halo so that a line running close by never hides them.
void PaintLabel(QPainter& painter, const SketchElement& e, bool marked) {
    const QPainterPath path = LabelPath(e);
    painter.strokePath(path, QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, marked ? MarkColour() : QColor(Qt::black));
}

}  // namespace

QColor MarkColour() {
    return QColor(225, 0, 0);
}

Sketch& Sketch::line(QPointF from, QPointF to, Quantity q, Stroke s) {
    SketchElement e;
    e.kind = SketchElement::Kind::Line;
    e.quantity = q;
    e.stroke = s;
    e.at = from;
    e.to = to;
    elements_.push_back(e);
    return *this;
}

Sketch& Sketch::arc(QPointF centre, QSizeF radii, qreal startDeg, qreal spanDeg, Quantity q,
                    Stroke s) {
    SketchElement e;
    e.kind = SketchElement::Kind::Arc;
    e.quantity = q;
    e.stroke = s;
    e.at = centre;
    e.radii = radii;
    e.startDeg = startDeg;
    e.spanDeg = spanDeg;
    elements_.push_back(e);
    return *this;
}

Sketch& Sketch::flatCircle(QPointF centre, QSizeF radii, bool farHalfVisible) {
    arc(centre, radii, 180, 180);
    return arc(centre, radii, 0, 180, Quantity::None,
               farHalfVisible ? Stroke::Outline : Stroke::Dashed);
}

Sketch& Sketch::label(QPointF centre, const char* text, Quantity q) {
    SketchElement e;
    e.kind = SketchElement::Kind::Label;
    e.quantity = q;
    e.at = centre;
    e.text = QString::fromUtf8(text);
    elements_.push_back(e);
    return *this;
}

Sketch& Sketch::sideLabel(QPointF from, QPointF to, QPointF inside, const char* text, Quantity q,
                          qreal gap) {
    const QPointF mid = (from + to) / 2;
    const QPointF along = Unit(to - from);
    QPointF normal(along.y(), -along.x());
    if (QPointF::dotProduct(normal, inside - mid) > 0) normal = -normal;
    return label(mid + normal * gap, text, q);
}

Sketch& Sketch::angle(QPointF vertex, QPointF a, QPointF b, const char* text, Quantity q,
                      qreal radius, qreal labelTurn, qreal labelGap) {
    const qreal start = ScreenAngle(a - vertex);
    qreal span = ScreenAngle(b - vertex) - start;
    while (span > 180) span -= 360;
    while (span <= -180) span += 360;
    arc(vertex, QSizeF(radius, radius), start, span, q, Stroke::Thin);
    return label(vertex + Towards(start + span / 2 + labelTurn) * (radius + labelGap), text, q);
}

Sketch& Sketch::rightAngle(QPointF vertex, QPointF a, QPointF b, qreal size) {
    const QPointF ua = Unit(a - vertex) * size;
    const QPointF ub = Unit(b - vertex) * size;
    line(vertex + ua, vertex + ua + ub, Quantity::None, Stroke::Thin);
    return line(vertex + ua + ub, vertex + ub, Quantity::None, Stroke::Thin);
}

Sketch& Sketch::dot(QPointF centre) {
    SketchElement e;
    e.kind = SketchElement::Kind::Dot;
    e.at = centre;
    elements_.push_back(e);
    return *this;
}

qreal SketchStroke() {
    return sketchStroke;
}

void SetSketchStroke(qreal factor) {
    sketchStroke = factor > 0 ? factor : 1.0;
}

void PaintSketch(QPainter& painter, const Sketch& sketch, Quantity marked) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Marked lines go over the black ones, and letters over every line.
    for (bool markedPass : {false, true}) {
        for (const SketchElement& e : sketch.elements())
            if (IsMarked(e, marked) == markedPass) PaintStroke(painter, e, markedPass);
    }
    for (const SketchElement& e : sketch.elements())
        if (e.kind == SketchElement::Kind::Label) PaintLabel(painter, e, IsMarked(e, marked));
    painter.restore();
}

void PaintEdges(QPainter& painter, const Sketch& sketch, const QPen& pen) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    for (const SketchElement& e : sketch.elements()) {
        const bool edge = e.stroke == Stroke::Outline ||
                          (e.stroke == Stroke::Dashed && e.quantity == Quantity::None);
        if (!edge || e.kind == SketchElement::Kind::Label) continue;
        QPen elementPen = pen;
        if (e.stroke == Stroke::Dashed) elementPen.setDashPattern({3, 3});
        painter.setPen(elementPen);
        if (e.kind == SketchElement::Kind::Line) painter.drawLine(e.at, e.to);
        if (e.kind == SketchElement::Kind::Arc) {
            const QRectF box(e.at - QPointF(e.radii.width(), e.radii.height()), e.radii * 2);
            painter.drawArc(box, qRound(e.startDeg * 16), qRound(e.spanDeg * 16));
        }
    }
    painter.restore();
}

}  // namespace mertano
