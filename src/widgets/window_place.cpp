// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/window_place.h"

#include <QGuiApplication>
#include <QLayout>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include "app/startup_values.h"

namespace mertano {
namespace {

// The frame is known only once the window system has shown the window; before that the
// window alone counts.
QRect OuterGeometry(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    const QSize size = window->size() + (frame.size() - inner.size());
    return {frame.topLeft(), size};
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
