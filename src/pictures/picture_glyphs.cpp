// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/picture_glyphs.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include "pictures/glyph_outlines.h"

namespace mertano {

namespace {

QPen Outline(QColor colour, qreal width = 1.0) {
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// A straight arrow from `from` to `to` with a filled head, drawn with a dark rim so that
// it reads on light and dark button faces alike.
void Arrow(QPainter& painter, QPointF from, QPointF to, qreal shaft, qreal head, QColor fill,
           QColor rim) {
    const QLineF line(from, to);
    const QLineF unit = line.unitVector();
    const QPointF along = unit.p2() - unit.p1();
    const QPointF across(-along.y(), along.x());
    const QPointF neck = to - along * head;
    QPolygonF shape;
    shape << from + across * shaft / 2 << neck + across * shaft / 2 << neck + across * head * 0.75
          << to << neck - across * head * 0.75 << neck - across * shaft / 2
          << from - across * shaft / 2;
    painter.setPen(Outline(rim));
    painter.setBrush(fill);
    painter.drawPolygon(shape);
}

QPainterPath Centred(QPainterPath path, QPointF centre) {
    path.translate(centre - path.boundingRect().center());
    return path;
}

}  // namespace

void PaintExitGlyph(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // The doorway: a dark opening in a wooden frame.
    painter.setPen(Outline(QColor(90, 55, 20)));
    painter.setBrush(QColor(55, 60, 75));
    painter.drawRect(QRectF(2.5, 2.5, 12, 20));
    // The door swung open towards the viewer, hinged on the left post.
    QLinearGradient wood(3, 0, 10, 0);
    wood.setColorAt(0, QColor(200, 135, 60));
    wood.setColorAt(1, QColor(150, 90, 35));
    QPolygonF door;
    door << QPointF(2.5, 2.5) << QPointF(8.5, 4.5) << QPointF(8.5, 23.5) << QPointF(2.5, 22.5);
    painter.setPen(Outline(QColor(90, 55, 20)));
    painter.setBrush(wood);
    painter.drawPolygon(door);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 215, 90));
    painter.drawEllipse(QPointF(7, 13.5), 1, 1);
    // The way out.
    Arrow(painter, QPointF(10, 13), QPointF(23.5, 13), 3.5, 5, QColor(40, 170, 60),
          QColor(15, 90, 25));
    painter.restore();
}

void PaintAngleGlyph(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF vertex(3, 21.5);
    painter.setPen(Outline(QColor(25, 45, 120), 1.6));
    painter.drawLine(vertex, QPointF(22.5, 21.5));
    painter.drawLine(vertex, QPointF(11.5, 4));
    // The measured angle, in the red the figure pictures use for the marked quantity.
    painter.setPen(Outline(QColor(215, 0, 0), 1.6));
    painter.setBrush(Qt::NoBrush);
    const qreal r = 9;
    painter.drawArc(QRectF(vertex.x() - r, vertex.y() - r, 2 * r, 2 * r), 0, 64 * 16);
    // Decimal degrees one way, degrees, minutes and seconds the other.
    const QColor fill(40, 120, 210), rim(20, 60, 130);
    Arrow(painter, QPointF(14, 5.5), QPointF(24, 5.5), 1.6, 3.2, fill, rim);
    Arrow(painter, QPointF(24, 11.5), QPointF(14, 11.5), 1.6, 3.2, fill, rim);
    painter.restore();
}

void PaintHelpGlyph(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(13.5, 13.5);
    QRadialGradient shine(centre, 12, centre - QPointF(4, 4));
    shine.setColorAt(0, QColor(120, 180, 255));
    shine.setColorAt(0.6, QColor(30, 100, 215));
    shine.setColorAt(1, QColor(15, 60, 160));
    painter.setPen(Outline(QColor(10, 40, 110)));
    painter.setBrush(shine);
    painter.drawEllipse(centre, 12, 12);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(Centred(OutlineOf(StoredOutline::QuestionMark), centre + QPointF(0, 0.5)));
    painter.restore();
}

void PaintCalculatorGlyph(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 1, 0, 24);
    body.setColorAt(0, QColor(120, 125, 135));
    body.setColorAt(1, QColor(70, 75, 85));
    painter.setPen(Outline(QColor(35, 38, 45)));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(4.5, 1.5, 16, 22), 2, 2);
    painter.setPen(Outline(QColor(40, 60, 40)));
    painter.setBrush(QColor(190, 225, 170));
    painter.drawRect(QRectF(6.5, 3.5, 12, 5));
    // The keys are whole pixels, so they stay separate even at the smallest size.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) {
            const bool equals = row == 3 && column == 2;
            painter.fillRect(QRectF(7 + column * 4, 11 + row * 3, 3, 2),
                             equals ? QColor(245, 150, 40) : QColor(235, 235, 240));
        }
    }
    painter.restore();
}

void PaintLanguageGlyph(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(11, 11.5);
    const qreal r = 9.5;
    QRadialGradient sea(centre, r, centre - QPointF(3, 3));
    sea.setColorAt(0, QColor(110, 200, 255));
    sea.setColorAt(1, QColor(20, 110, 190));
    painter.setPen(Outline(QColor(10, 60, 120)));
    painter.setBrush(sea);
    painter.drawEllipse(centre, r, r);
    // Meridians and parallels.
    painter.setPen(Outline(QColor(235, 250, 255, 200), 0.9));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, r * 0.45, r);
    painter.drawLine(centre - QPointF(0, r), centre + QPointF(0, r));
    painter.drawLine(centre - QPointF(r, 0), centre + QPointF(r, 0));
    painter.drawLine(centre + QPointF(-r * 0.85, -r * 0.5), centre + QPointF(r * 0.85, -r * 0.5));
    painter.drawLine(centre + QPointF(-r * 0.85, r * 0.5), centre + QPointF(r * 0.85, r * 0.5));
    // A speech bubble in front of the globe: words in another tongue.
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(12.5, 13.5, 13, 9), 3, 3);
    QPolygonF tail;
    tail << QPointF(15, 21.5) << QPointF(14, 25.5) << QPointF(19, 21.5);
    bubble.addPolygon(tail);
    bubble = bubble.simplified();
    painter.setPen(Outline(QColor(60, 60, 60)));
    painter.setBrush(QColor(255, 250, 225));
    painter.drawPath(bubble);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(180, 30, 30));
    painter.drawPath(Centred(OutlineOf(StoredOutline::LetterA), QPointF(19, 18)));
    painter.restore();
}

void PaintMaterialsGlyph(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    struct Ingot {
        QPointF at;  // the lower left corner of the front face
        QColor light, dark;
    };
    // The lower two first, so the upper one lies on them.
    const Ingot ingots[] = {
        {{1.5, 24.5}, QColor(250, 215, 90), QColor(185, 135, 20)},     // gold
        {{13.5, 24.5}, QColor(220, 225, 232), QColor(130, 138, 150)},  // steel
        {{7.5, 16.5}, QColor(240, 160, 110), QColor(170, 85, 45)},     // copper
    };
    const qreal width = 12, height = 6, slope = 2, depth = 3;
    for (const Ingot& ingot : ingots) {
        const QPointF a = ingot.at;
        QPolygonF front;
        front << a << a + QPointF(width, 0) << a + QPointF(width - slope, -height)
              << a + QPointF(slope, -height);
        QPolygonF top;
        top << a + QPointF(slope, -height) << a + QPointF(width - slope, -height)
            << a + QPointF(width - slope - 1, -height - depth)
            << a + QPointF(slope + 1, -height - depth);
        QLinearGradient face(0, a.y() - height, 0, a.y());
        face.setColorAt(0, ingot.light);
        face.setColorAt(1, ingot.dark);
        painter.setPen(Outline(ingot.dark.darker(160)));
        painter.setBrush(face);
        painter.drawPolygon(front);
        painter.setBrush(ingot.light.lighter(110));
        painter.drawPolygon(top);
    }
    painter.restore();
}

void PaintBanner(QPainter& painter, bool highlighted) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame(0, 0, 200, 30);
    QLinearGradient ground(0, 0, 200, 0);
    ground.setColorAt(0, highlighted ? QColor(40, 100, 210) : QColor(20, 45, 110));
    ground.setColorAt(1, highlighted ? QColor(120, 185, 250) : QColor(55, 100, 175));
    painter.fillRect(frame, ground);

    // The motif: a triangle, a circle and a cube, in the line style of the figures.
    const QColor ink = highlighted ? QColor(255, 240, 140) : QColor(210, 225, 250);
    painter.setPen(Outline(ink, 1.4));
    painter.setBrush(Qt::NoBrush);
    QPolygonF triangle;
    triangle << QPointF(6, 24) << QPointF(20, 24) << QPointF(10, 7);
    painter.drawPolygon(triangle);
    painter.drawEllipse(QPointF(30, 15), 8, 8);
    painter.drawLine(QPointF(30, 15), QPointF(36.5, 10.5));
    const QRectF front(42, 11, 11, 11);
    const QPointF back(4.5, -4.5);
    painter.drawRect(front);
    painter.drawLine(front.topLeft(), front.topLeft() + back);
    painter.drawLine(front.topRight(), front.topRight() + back);
    painter.drawLine(front.bottomRight(), front.bottomRight() + back);
    painter.drawLine(front.topLeft() + back, front.topRight() + back);
    painter.drawLine(front.topRight() + back, front.bottomRight() + back);

    const QPainterPath name = Centred(OutlineOf(StoredOutline::BannerName), QPointF(130, 15));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 40, 90));
    painter.drawPath(name.translated(1.2, 1.2));
    if (highlighted) {
        QPen glow(QColor(20, 40, 100), 2.2);
        glow.setJoinStyle(Qt::RoundJoin);
        painter.strokePath(name, glow);
        painter.fillPath(name, QColor(255, 245, 160));
        // A light frame says the banner can be clicked.
        painter.setPen(QPen(QColor(255, 240, 140), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(frame.adjusted(0.5, 0.5, -0.5, -0.5));
    } else {
        painter.fillPath(name, Qt::white);
    }
    painter.restore();
}

}  // namespace mertano
