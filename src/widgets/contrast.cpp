// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/contrast.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QVariant>
#include <QWidget>

#include "pictures/picture_sketch.h"

namespace mertano {
namespace {

constexpr char kOwnPalette[] = "mertanoOwnPalette";
constexpr qreal kContrastStroke = 1.8;

bool highContrast = false;
QPalette appPalette;

QPalette MakeContrastPalette() {
    QPalette p;
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const QPalette::ColorRole role :
             {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::AlternateBase,
              QPalette::Light, QPalette::Midlight, QPalette::ToolTipBase, QPalette::HighlightedText,
              QPalette::BrightText})
            p.setColor(group, role, Qt::white);
        for (const QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::Mid,
              QPalette::Dark, QPalette::Shadow, QPalette::ToolTipText, QPalette::PlaceholderText,
              QPalette::Link, QPalette::LinkVisited})
            p.setColor(group, role, Qt::black);
    }
    // A chosen item white on dark blue, as high-contrast desktops mark it.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, QPalette::Highlight, QColor(0, 0, 128));
    // Disabled texts stay readable: dark grey on white, not the usual faint grey.
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(90, 90, 90));
    return p;
}

const QPalette& ContrastPalette() {
    static const QPalette contrast = MakeContrastPalette();
    return contrast;
}

// A palette a window sets on one of its controls is kept aside and the contrast one put
// in its place, now and whenever the window sets another.
void Override(QWidget* w) {
    if (!w->testAttribute(Qt::WA_SetPalette)) return;
    if (w->palette() == ContrastPalette()) return;
    w->setProperty(kOwnPalette, w->palette());
    w->setPalette(ContrastPalette());
}

class ContrastKeeper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (highContrast && watched->isWidgetType() &&
            (event->type() == QEvent::PaletteChange || event->type() == QEvent::Polish))
            Override(static_cast<QWidget*>(watched));
        return false;
    }
};

}  // namespace

bool HighContrast() {
    return highContrast;
}

void SetHighContrast(bool on) {
    if (on == highContrast) return;
    static ContrastKeeper* const keeper = [] {
        auto* k = new ContrastKeeper(qApp);
        qApp->installEventFilter(k);
        return k;
    }();
    Q_UNUSED(keeper);
    highContrast = on;
    SetSketchStroke(on ? kContrastStroke : 1.0);
    if (on) {
        appPalette = QApplication::palette();
        QApplication::setPalette(ContrastPalette());
        for (QWidget* w : QApplication::allWidgets()) Override(w);
    } else {
        QApplication::setPalette(appPalette);
        for (QWidget* w : QApplication::allWidgets()) {
            const QVariant own = w->property(kOwnPalette);
            if (!own.isValid()) continue;
            w->setProperty(kOwnPalette, QVariant());
            w->setPalette(own.value<QPalette>());
        }
    }
    for (QWidget* w : QApplication::allWidgets()) w->update();
}

}  // namespace mertano
