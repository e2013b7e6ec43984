// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/focus_ring.h"

#include <QPainter>
#include <QPalette>

namespace mertano {

void DrawFocusRing(QPainter& painter, const QRect& rect, const QPalette& palette) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(palette.color(QPalette::Active, QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(1, 1, -1, -1));
    painter.restore();
}

void ToolBarButton::paintEvent(QPaintEvent* event) {
    QToolButton::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    DrawFocusRing(painter, rect(), palette());
}

}  // namespace mertano
