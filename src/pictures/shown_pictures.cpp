// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/shown_pictures.h"

#include "pictures/picture_sketch.h"

#include <algorithm>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace mertano {

namespace {

// A plain label holding a pixmap is a graphic to a screen reader, and so is this one,
// although it keeps its picture to itself.
QAccessibleInterface* PictureLabelAccessible(const QString&, QObject* object) {
    auto* label = dynamic_cast<PictureLabel*>(object);
    return label ? new QAccessibleWidget(label, QAccessible::Graphic) : nullptr;
}

}  // namespace

PictureLabel::PictureLabel(const PictureList& pictures, QWidget* parent)
    : QLabel(parent), pictures_(pictures) {
    static const bool installed = [] {
        QAccessible::installFactory(PictureLabelAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

void PictureLabel::setPicture(const QString& name) {
    if (name == name_) return;
    name_ = name;
    shown_ = QPixmap();
    update();
}

QPixmap PictureLabel::shownPixmap() {
    if (name_.isEmpty()) return shown_;
    // Drawn again for another screen's pixel ratio or a new size; kept otherwise.
    const QSize size = contentsRect().size();
    if (shown_.isNull() || shownRatio_ != devicePixelRatioF() || shownSize_ != size ||
        shownStroke_ != SketchStroke()) {
        shown_ = pictures_.picture(name_, devicePixelRatioF(), size);
        shownRatio_ = devicePixelRatioF();
        shownStroke_ = SketchStroke();
        shownSize_ = size;
    }
    return shown_;
}

namespace {
int paperPaintings = 0;
}  // namespace

PaperPainting::PaperPainting() {
    ++paperPaintings;
}

PaperPainting::~PaperPainting() {
    --paperPaintings;
}

bool PaperPainting::active() {
    return paperPaintings > 0;
}

void PictureLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    if (PaperPainting::active() && isEnabled() && !name_.isEmpty()) {
        pictures_.paint(name_, painter, contentsRect());
        return;
    }
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

namespace {

class PictureIconEngine : public QIconEngine {
public:
    PictureIconEngine(const PictureList& pictures, const QString& name)
        : pictures_(pictures), name_(name) {}

    QIconEngine* clone() const override { return new PictureIconEngine(*this); }
    QString key() const override { return QStringLiteral("mertano-picture"); }
    // Never larger than drawn, unless the button asks for it larger (a zoomed window):
    // then it is drawn at that size rather than blown up.
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        return pictures_.size(name_).scaled(size, Qt::KeepAspectRatio);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {pictures_.size(name_)};
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return drawn(growth(size)).pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        // `size` counts device pixels here.
        return drawn(scale * growth((QSizeF(size) / scale).toSize()))
            .pixmap(size, scale, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        drawn(painter->device()->devicePixelRatioF() * growth(rect.size()))
            .paint(painter, rect, Qt::AlignCenter, mode, state);
    }

private:
    // The icon Qt makes of the drawn picture, which greys and caches as it always does.
    qreal growth(const QSize& size) const {
        const QSize logical = pictures_.size(name_);
        return std::max(1.0, std::min(qreal(size.width()) / logical.width(),
                                      qreal(size.height()) / logical.height()));
    }

    // Drawn with `ratio` device pixels to a picture pixel, so that a grown icon is made
    // of as many pixels as it covers.
    const QIcon& drawn(qreal ratio) {
        if (drawn_.isNull() || drawnRatio_ != ratio) {
            drawn_ = QIcon(pictures_.picture(name_, ratio));
            drawnRatio_ = ratio;
        }
        return drawn_;
    }

    const PictureList& pictures_;
    QString name_;
    QIcon drawn_;
    qreal drawnRatio_ = 0;
};

}  // namespace

QIcon PictureIcon(const PictureList& pictures, const QString& name) {
    return QIcon(new PictureIconEngine(pictures, name));
}

}  // namespace mertano
