// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/whole_text.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace mertano {
namespace {

constexpr int kSmallestPixels = 5;
constexpr qreal kSmallestPoints = 4.0;

// QLineEdit keeps 2 pixels on each side of its text and 1 for the cursor at its end.
constexpr int kEditTextMargins = 2 * 2 + 1;

const char kBaseFontProperty[] = "mertanoWholeTextFont";
const char kFittedFontProperty[] = "mertanoWholeTextFitted";

void SetDescription(QWidget* w, const QString& text) {
    w->setToolTip(text);
    w->setAccessibleDescription(text);
}

// The width a label draws its text in: inside the frame, margins and indent.
int LabelTextWidth(const QLabel& label, const QFont& base) {
    int indent = label.indent();
    if (indent < 0)
        indent = label.frameWidth() > 0 ? QFontMetrics(base).horizontalAdvance(u'x') / 2 : 0;
    return label.contentsRect().width() - 2 * label.margin() - indent;
}

int EditTextWidth(const QLineEdit& edit) {
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.lineWidth = edit.hasFrame()
                           ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit)
                           : 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents =
        edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
    const QMargins margins = edit.textMargins();
    return contents.width() - margins.left() - margins.right() - kEditTextMargins;
}

// Follows a line edit: the font its owner last set is the base, the fitted one only a
// smaller copy of it.
class WholeTextKeeper : public QObject {
public:
    explicit WholeTextKeeper(QLineEdit* edit) : QObject(edit), edit_(edit), base_(edit->font()) {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, &WholeTextKeeper::fit);
        fit();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == edit_) {
            if (event->type() == QEvent::FontChange && !fitting_) {
                base_ = edit_->font();
                fit();
            } else if (event->type() == QEvent::Resize || event->type() == QEvent::StyleChange) {
                fit();
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void fit() {
        const QString text = edit_->text();
        const QFont fitted = FontToFit(base_, text, EditTextWidth(*edit_));
        if (fitted != edit_->font()) {
            fitting_ = true;
            edit_->setFont(fitted);
            fitting_ = false;
        }
        SetDescription(edit_, text);
    }

    QLineEdit* edit_;
    QFont base_;
    bool fitting_ = false;
};

}  // namespace

QFont FontToFit(const QFont& base, const QString& text, int width) {
    if (text.isEmpty() || width <= 0) return base;
    return FontToFit(base, width, base.pixelSize() > 0 ? kSmallestPixels : kSmallestPoints,
                     [&text](const QFont& f) { return QFontMetrics(f).horizontalAdvance(text); });
}

QFont FontToFit(const QFont& base, int width, qreal smallest,
                const std::function<int(const QFont&)>& measure) {
    QFont f = base;
    const bool pixels = base.pixelSize() > 0;
    qreal size = pixels ? base.pixelSize() : base.pointSizeF();
    while (measure(f) > width && size > smallest) {
        size = std::max(smallest, size - (pixels ? 1.0 : 0.5));
        if (pixels) {
            f.setPixelSize(static_cast<int>(size));
        } else {
            f.setPointSizeF(size);
        }
    }
    return f;
}

void SetWholeText(QLabel* label, const QString& text) {
    // The font the owner set is the base; one this function set is only a fitted copy.
    QFont base = label->font();
    const QVariant fitted = label->property(kFittedFontProperty);
    if (fitted.isValid() && fitted.value<QFont>() == base)
        base = label->property(kBaseFontProperty).value<QFont>();
    const QFont font = FontToFit(base, text, LabelTextWidth(*label, base));
    label->setProperty(kBaseFontProperty, base);
    label->setProperty(kFittedFontProperty, font);
    label->setFont(font);
    label->setText(text);
    SetDescription(label, text);
}

QFont UnfittedFont(const QLabel& label) {
    const QVariant fitted = label.property(kFittedFontProperty);
    if (fitted.isValid() && fitted.value<QFont>() == label.font())
        return label.property(kBaseFontProperty).value<QFont>();
    return label.font();
}

void RefitWholeText(QLabel* label) {
    if (label->property(kFittedFontProperty).isValid()) SetWholeText(label, label->text());
}

void KeepWholeText(QLineEdit* edit) {
    new WholeTextKeeper(edit);
}

}  // namespace mertano
