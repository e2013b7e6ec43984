// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/picture_decor.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "pictures/glyph_outlines.h"
#include "pictures/picture_figures.h"

namespace mertano {

void PaintButtonMarker(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(9.5, 9.5);
    // A little light from the upper left makes the dot read as a button glyph.
    QRadialGradient shine(centre, 6, centre - QPointF(2, 2));
    shine.setColorAt(0, QColor(255, 110, 110));
    shine.setColorAt(0.45, QColor(235, 0, 0));
    shine.setColorAt(1, QColor(185, 0, 0));
    painter.setPen(QPen(QColor(140, 0, 0), 1));
    painter.setBrush(shine);
    painter.drawEllipse(centre, 5.5, 5.5);
    painter.restore();
}

namespace {

void PaintFigure(QPainter& painter, ShapeKind kind, QPointF at, qreal scale, QColor ink) {
    painter.save();
    painter.translate(at);
    painter.scale(scale, scale);
    QPen pen(ink, 2.2 / scale * 0.9);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    PaintEdges(painter, FigureSketch(kind), pen);
    painter.restore();
}

void PaintName(QPainter& painter) {
    QPainterPath name = OutlineOf(StoredOutline::WelcomeName);
    const QRectF box = name.boundingRect();
    name.translate(160 - box.center().x(), 178 - box.bottom());
    painter.fillPath(name.translated(1.5, 1.5), QColor(0, 0, 60, 50));
    QLinearGradient ink(0, 140, 0, 180);
    ink.setColorAt(0, QColor(30, 70, 170));
    ink.setColorAt(1, QColor(10, 30, 100));
    painter.fillPath(name, ink);
}

}  // namespace

void PaintWelcome(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 200);
    sky.setColorAt(0, QColor(232, 242, 255));
    sky.setColorAt(1, Qt::white);
    painter.fillRect(QRectF(0, 0, 320, 200), sky);
    PaintFigure(painter, ShapeKind::Cuboid, QPointF(200, 10), 0.8, QColor(40, 80, 170));
    PaintFigure(painter, ShapeKind::Sphere, QPointF(12, 14), 0.75, QColor(0, 125, 125));
    PaintFigure(painter, ShapeKind::Cone, QPointF(104, 0), 0.85, QColor(205, 125, 20));
    PaintName(painter);
    painter.restore();
}

}  // namespace mertano
