// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A figure picture is described as a list of drawn elements, each tagged with the
// measurement it shows, so the same description yields the plain picture and every
// picture with one measurement drawn in red.

#include <QColor>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <vector>

class QPainter;
class QPainterPath;
class QPen;

namespace mertano {

enum class Quantity {
    None,
    A,
    B,
    C,
    Alpha,
    Beta,
    Gamma,
    Ma,
    Mb,
    Mc,
    R,
    BigR,
    D,
    H,
    I,
    M,
    A1,
    A2,
};

enum class Stroke {
    Outline,  // the figure's own visible edges
    Thin,     // measuring lines and angle marks
    Dashed,   // hidden edges of a solid, lines inside it, heights
};

struct SketchElement {
    enum class Kind { Line, Arc, Label, Dot };
    Kind kind = Kind::Line;
    Quantity quantity = Quantity::None;
    Stroke stroke = Stroke::Outline;
    QPointF at;  // line start, arc or dot centre, label centre
    QPointF to;  // line end
    QSizeF radii;
    qreal startDeg = 0;  // arcs: counter-clockwise from three o'clock, as QPainter counts
    qreal spanDeg = 0;
    QString text;  // labels: "m_a" puts the part after '_' as a subscript
};

class Sketch {
public:
    Sketch& line(QPointF from, QPointF to, Quantity q = Quantity::None, Stroke s = Stroke::Outline);
    Sketch& arc(QPointF centre, QSizeF radii, qreal startDeg, qreal spanDeg,
                Quantity q = Quantity::None, Stroke s = Stroke::Outline);
    // A horizontal circle of a solid seen slightly from above: the near half drawn, the
    // far half dashed unless the circle is a visible top face.
    Sketch& flatCircle(QPointF centre, QSizeF radii, bool farHalfVisible = false);
    Sketch& label(QPointF centre, const char* text, Quantity q = Quantity::None);
    // A label beside the segment from-to, on the side away from `inside`.
    Sketch& sideLabel(QPointF from, QPointF to, QPointF inside, const char* text, Quantity q,
                      qreal gap = 10);
    // The angle at `vertex` between the rays towards a and b (the smaller one), with its
    // letter on the bisector, `labelGap` beyond the arc. A line that runs along the
    // bisector (a height) would cross the letter: `labelTurn` degrees (counter-clockwise)
    // move it to one side.
    Sketch& angle(QPointF vertex, QPointF a, QPointF b, const char* text, Quantity q,
                  qreal radius = 15, qreal labelTurn = 0, qreal labelGap = 9);
    Sketch& rightAngle(QPointF vertex, QPointF a, QPointF b, qreal size = 8);
    Sketch& dot(QPointF centre);

    const std::vector<SketchElement>& elements() const { return elements_; }

private:
    std::vector<SketchElement> elements_;
};

// Draws the sketch in black, and the elements of `marked` in red.
void PaintSketch(QPainter& painter, const Sketch& sketch, Quantity marked);

// How much wider than usual the drawings' lines are: 1, or more for high contrast.
qreal SketchStroke();
void SetSketchStroke(qreal factor);

// Draws only the figure's edges (no measuring lines, no letters) with the given pen.
void PaintEdges(QPainter& painter, const Sketch& sketch, const QPen& pen);

// The outline of a label's letters as they are painted.
QPainterPath LabelPath(const SketchElement& label);
// The area a line or an arc covers when drawn at its widest (marked); empty for others.
QPainterPath StrokeArea(const SketchElement& element);

// The colour of the marked measurement.
QColor MarkColour();

}  // namespace mertano
