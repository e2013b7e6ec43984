// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/window_place.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include "system/startup_values.h"

namespace mertano {
namespace {

QMargins MarginsOf(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

// The frame the window system puts around a window is known only once it has shown the
// window. Before that, the frame around another window of the program that is shown
// (the main window) stands for it, as the same window manager draws both: a dialog
// placed by its inner size alone would hang off the screen by its title bar.
QMargins FrameMargins(const QWidget* window) {
    const QMargins own = MarginsOf(window);
    if (!own.isNull() || window->isVisible()) return own;
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other == window || !other->isVisible() || !other->isWindow()) continue;
        const QMargins margins = MarginsOf(other);
        if (!margins.isNull()) return margins;
    }
    return own;
}

QRect OuterGeometry(const QWidget* window) {
    const QMargins m = FrameMargins(window);
    const QSize size = window->size() + QSize(m.left() + m.right(), m.top() + m.bottom());
    return {window->frameGeometry().topLeft(), size};
}

}  // namespace

QRect WorkArea(const QWidget* anchor) {
    const QScreen* screen = anchor ? anchor->screen() : QGuiApplication::primaryScreen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void SettleLayout(QWidget* window) {
    // The boxes' own layouts first: the window's layout sizes it from theirs.
    for (QLayout* layout : window->findChildren<QLayout*>()) {
        if (layout != window->layout()) layout->activate();
    }
    if (window->layout()) window->layout()->activate();
}

void PlaceBottomRight(QWidget* window, const QWidget* anchor) {
    SettleLayout(window);
    const QRect area = WorkArea(anchor);
    if (area.isEmpty()) return;
    const QRect outer = OuterGeometry(window);
    const QPoint corner = BottomRightPosition(area, outer.size());
    window->move(KeptInside(area, QRect(corner, outer.size())));
}

void KeepOnScreen(QWidget* window, const QWidget* anchor) {
    SettleLayout(window);
    const QRect area = WorkArea(anchor);
    if (area.isEmpty()) return;
    const QRect outer = OuterGeometry(window);
    const QPoint inside = KeptInside(area, outer);
    if (inside != outer.topLeft()) window->move(inside);
}

}  // namespace mertano
