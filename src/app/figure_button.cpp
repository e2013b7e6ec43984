// SPDX-License-Identifier: GPL-3.0-or-later
#include "figure_button.h"

#include <QPainter>
#include <qdrawutil.h>
#include <QStyleOptionFrame>

namespace mertano {

FigureButton::FigureButton(QWidget* parent) : QAbstractButton(parent) {
    setCheckable(true);
    setIconSize({19, 19});
    setFocusPolicy(Qt::TabFocus);
}

QSize FigureButton::sizeHint() const { return {144, 22}; }

void FigureButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void FigureButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void FigureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect r = rect();
    if (isChecked() || isDown()) {
        painter.fillRect(r, palette().color(QPalette::Midlight));
        qDrawShadePanel(&painter, r, palette(), true, 1);
    } else if (hovered_ && isEnabled()) {
        qDrawShadePanel(&painter, r, palette(), false, 1);
    }
    const int glyphLeft = 4;
    if (!icon().isNull()) {
        const QRect glyph(glyphLeft, (r.height() - iconSize().height()) / 2, iconSize().width(),
                          iconSize().height());
        icon().paint(&painter, glyph);
    }
    // Without a glyph the caption is centred; with one it follows the glyph, in a
    // smaller font when a long caption would not fit beside it.
    const QRect textRect =
        icon().isNull() ? r.adjusted(2, 0, -2, 0)
                        : r.adjusted(glyphLeft + iconSize().width() + 2, 0, -1, 0);
    QFont captionFont = font();
    while (captionFont.pixelSize() > 8 &&
           QFontMetrics(captionFont).horizontalAdvance(text()) > textRect.width()) {
        captionFont.setPixelSize(captionFont.pixelSize() - 1);
    }
    painter.setFont(captionFont);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::ButtonText));
    const Qt::Alignment alignment = icon().isNull() ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;
    painter.drawText(textRect, alignment | Qt::TextShowMnemonic, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = r.adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

}  // namespace mertano
