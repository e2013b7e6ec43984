// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/picture_label.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace mertano {

PictureLabel::PictureLabel(const PictureList& pictures, QWidget* parent)
    : QLabel(parent), pictures_(pictures) {}

void PictureLabel::setPicture(const QString& name) {
    if (name == name_) return;
    name_ = name;
    shown_ = QPixmap();
    update();
}

QPixmap PictureLabel::shownPixmap() {
    if (shown_.isNull() && !name_.isEmpty())
        shown_ = pictures_.picture(name_, devicePixelRatioF(), contentsRect().size());
    return shown_;
}

void PictureLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    QPixmap pixmap = shownPixmap();
    if (pixmap.isNull()) return;
    if (!isEnabled()) {
        // As a plain label draws a disabled picture, but kept: the whole window is
        // disabled while a dialog is open, and it repaints often then.
        if (greyedFrom_ != pixmap.cacheKey() || greyedPalette_ != palette().cacheKey()) {
            QStyleOption option;
            option.initFrom(this);
            greyed_ = style()->generatedIconPixmap(QIcon::Disabled, pixmap, &option);
            greyedFrom_ = pixmap.cacheKey();
            greyedPalette_ = palette().cacheKey();
        }
        pixmap = greyed_;
    }
    style()->drawItemPixmap(&painter, contentsRect(), int(alignment()), pixmap);
}

}  // namespace mertano
