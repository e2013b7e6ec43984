// SPDX-License-Identifier: GPL-3.0-or-later
#include "print_window.h"

#include <QPainter>
#include <QPrinter>

namespace mertano {

bool PrintImage(QPrinter& printer, const QImage& image) {
    if (image.isNull()) return false;
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(page.x() + (page.width() - size.width()) / 2, page.y()), size), image);
    return painter.end();
}

}  // namespace mertano
