// SPDX-License-Identifier: GPL-3.0-or-later
#include "print_window.h"

#include "pictures/shown_pictures.h"

#include <algorithm>

#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QWidget>

namespace mertano {

bool PrintWindow(QPrinter& printer, QWidget& window) {
    if (window.width() <= 0 || window.height() <= 0) return false;
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    // The viewport is the page within its margins, in printer dots.
    const QRect page = painter.viewport();
    const double screenSize = printer.resolution() / 96.0;
    const double fit =
        std::min(double(page.width()) / window.width(), double(page.height()) / window.height());
    const double scale = std::min(screenSize, fit);
    painter.translate((page.width() - window.width() * scale) / 2,
                      (page.height() - window.height() * scale) / 2);
    // Rendered straight into a printer, a widget tree is first drawn into one large bitmap;
    // recorded as drawing commands and played back, its texts and lines stay what they are.
    QPicture drawing;
    const PaperPainting paper;
    QPainter recorder(&drawing);
    window.render(&recorder, QPoint(), QRegion(),
                  QWidget::DrawWindowBackground | QWidget::DrawChildren);
    recorder.end();
    // Played back, a recording grows by the printer's dots per inch over its own.
    const double grown = double(printer.logicalDpiX()) / drawing.logicalDpiX();
    painter.scale(scale / grown, scale / grown);
    painter.drawPicture(0, 0, drawing);
    return painter.end();
}

}  // namespace mertano
