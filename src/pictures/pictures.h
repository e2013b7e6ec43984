// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <map>
#include <tuple>
#include <utility>

class QPainter;

namespace mertano {

// The program's pictures, looked up by their names "B0", "B1", ...: the figure drawings
// (plain, and with one measurement in red), the marker of the chosen figure button, the
// picture shown while no figure is chosen, the toolbar glyphs and the website banner. All are drawn
// here, at whatever device pixel ratio the screen asks for, so they stay sharp on high-DPI screens.
class PictureList {
public:
    // The picture at its logical size, rendered at `devicePixelRatio` (a ratio that is not a
    // positive finite number counts as 1); a null pixmap for a name the list does not hold.
    // Rendered pixmaps are kept, so the user-interface thread alone may ask.
    QPixmap picture(const QString& name, qreal devicePixelRatio = 1.0) const;
    // The picture smoothly scaled to fill `shown` logical pixels, kept as well, so a
    // picture shown again costs nothing.
    QPixmap picture(const QString& name, qreal devicePixelRatio, const QSize& shown) const;
    // The picture drawn straight into `painter`, filling `target`: lines stay lines on
    // paper. False for a name the list does not hold.
    bool paint(const QString& name, QPainter& painter, const QRectF& target) const;
    bool has(const QString& name) const;
    // The logical size, or an invalid size for a name the list does not hold.
    QSize size(const QString& name) const;
    // Every name the list holds, in ascending number.
    QStringList names() const;

private:
    // Drawn anew when the drawings' line width changes.
    void dropIfRestroked() const;
    mutable qreal drawnStroke_ = 1.0;
    mutable std::map<std::pair<int, qreal>, QPixmap> cache_;
    mutable std::map<std::tuple<int, qreal, int, int>, QPixmap> scaled_;
};

}  // namespace mertano
