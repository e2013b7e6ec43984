// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QString>

#include "pictures/pictures.h"

namespace mertano {

// A label showing one of the drawn pictures, filling the label. The picture is drawn when
// the label is next painted, not when it is chosen: a picture replaced before anyone saw
// it (a figure's plain picture, when the first field's picture follows at once) is never
// drawn, and no picture holds up the window's first appearance. A disabled label shows
// the style's greyed picture, worked out once rather than on every paint.
class PictureLabel : public QLabel {
public:
    PictureLabel(const PictureList& pictures, QWidget* parent);

    void setPicture(const QString& name);
    QString pictureName() const { return name_; }
    // What the label shows when enabled, drawn now if it was not yet.
    QPixmap shownPixmap();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PictureList& pictures_;
    QString name_;
    QPixmap shown_;
    qreal shownRatio_ = 0;
    qreal shownStroke_ = 0;
    QSize shownSize_;
    QPixmap greyed_;
    qint64 greyedFrom_ = 0;
    qint64 greyedPalette_ = 0;
};

// While one lives, picture labels draw their pictures into the painter as lines and
// texts, for paper, instead of as the screen's pixmaps.
class PaperPainting {
public:
    PaperPainting();
    ~PaperPainting();
    PaperPainting(const PaperPainting&) = delete;
    PaperPainting& operator=(const PaperPainting&) = delete;
    static bool active();
};

// An icon showing one of the drawn pictures, drawn when a button first paints it and
// then kept; disabled and other states look as an icon made from the drawn picture would.
QIcon PictureIcon(const PictureList& pictures, const QString& name);

}  // namespace mertano
