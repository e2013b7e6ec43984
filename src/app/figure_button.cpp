// SPDX-License-Identifier: GPL-3.0-or-later
#include "figure_button.h"

#include <qdrawutil.h>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QPainter>

#include "widgets/focus_ring.h"
#include "widgets/whole_text.h"

namespace mertano {
namespace {

// Below this a caption is no longer legible at the window's 8-point size.
constexpr int kSmallestCaptionPixels = 9;

}  // namespace

FigureButton::FigureButton(QWidget* parent) : QAbstractButton(parent) {
    setCheckable(true);
    setIconSize({19, 19});
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::clicked, this, &FigureButton::takeTabStop);
}

QSize FigureButton::sizeHint() const {
    return {144, 22};
}

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

const FigureButton::FittedCaption& FigureButton::fittedCaption(int room) {
    if (fitted_.room == room && fitted_.text == text() && fitted_.base == font()) return fitted_;
    const auto captionWidth = [this](const QFont& f) {
        return QFontMetrics(f).boundingRect(QRect(), Qt::TextShowMnemonic, text()).width();
    };
    const QFont captionFont = FontToFit(font(), room, kSmallestCaptionPixels, captionWidth);
    fitted_ = {text(), font(), room, captionFont, captionWidth(captionFont)};
    return fitted_;
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
    // smaller font when a long caption would not fit beside it, and drawn narrower still
    // when even the smallest legible size would not: a caption is never cut.
    const QRect textRect = icon().isNull()
                               ? r.adjusted(3, 0, -3, 0)
                               : r.adjusted(glyphLeft + iconSize().width() + 2, 0, -3, 0);
    const int alignment =
        (icon().isNull() ? int(Qt::AlignCenter) : int(Qt::AlignLeft | Qt::AlignVCenter)) |
        Qt::TextShowMnemonic;
    const FittedCaption& caption = fittedCaption(textRect.width());
    painter.setFont(caption.font);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    const int width = caption.width;
    if (width > textRect.width()) {
        painter.save();
        const qreal squeeze = qreal(textRect.width()) / width;
        painter.translate(textRect.left(), 0);
        painter.scale(squeeze, 1.0);
        painter.drawText(QRect(0, textRect.top(), width, textRect.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, text());
        painter.restore();
    } else {
        painter.drawText(textRect, alignment, text());
    }
    if (hasFocus()) DrawFocusRing(painter, r, palette());
}

void FigureButton::keyPressEvent(QKeyEvent* event) {
    const int step = event->key() == Qt::Key_Down ? 1 : event->key() == Qt::Key_Up ? -1 : 0;
    const QList<QAbstractButton*> buttons =
        group() ? group()->buttons() : QList<QAbstractButton*>();
    const qsizetype at = buttons.indexOf(this);
    if (step == 0 || at < 0) return QAbstractButton::keyPressEvent(event);
    // The arrows move among the figures as among radio buttons, but only the keyboard
    // moves: choosing a figure clears the fields, so that waits for Space.
    const qsizetype count = buttons.size();
    auto* next = static_cast<FigureButton*>(buttons[(at + step + count) % count]);
    next->takeTabStop();
    next->setFocus(Qt::TabFocusReason);
}

void FigureButton::takeTabStop() {
    if (!group()) return;
    // The figures are one stop of the Tab key: the button last chosen or moved to.
    for (QAbstractButton* button : group()->buttons())
        button->setFocusPolicy(button == this ? Qt::TabFocus : Qt::NoFocus);
}

}  // namespace mertano
