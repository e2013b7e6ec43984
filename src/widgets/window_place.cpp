// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/window_place.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMargins>
#include <QObject>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <functional>
#include <utility>

#include "system/startup_values.h"

namespace mertano {
namespace {

QMargins MarginsOf(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

// The frame the window system puts around a window is known only once the window manager
// has framed it, which comes some time after show(): during the show event and just after
// show() it still reads as none. Until then the frame around another window of the program
// (the main window) stands for it, as the same window manager draws both: a dialog placed
// by its inner size alone would hang off the screen by its title bar and borders.
QMargins FrameMargins(const QWidget* window) {
    const QMargins own = MarginsOf(window);
    if (!own.isNull() || window->windowFlags().testFlag(Qt::FramelessWindowHint)) return own;
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other == window || !other->isVisible() || !other->isWindow()) continue;
        const QMargins margins = MarginsOf(other);
        if (!margins.isNull()) return margins;
    }
    return own;
}

// A borrowed frame can differ from the window's own (a resizable window has thicker
// edges), and a window moved after show() but before the window manager has framed it is
// taken to mean its inner corner, not its frame's (it lands a title bar higher). So the
// window is placed again once it is framed.
class FrameWatch : public QObject {
public:
    FrameWatch(QWidget* window, std::function<void()> place)
        : QObject(window), window_(window), place_(std::move(place)) {
        setObjectName(QStringLiteral("FrameWatch"));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ &&
            (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
             event->type() == QEvent::WindowActivate) &&
            !MarginsOf(window_).isNull()) {
            window_->removeEventFilter(this);
            deleteLater();
            place_();
        }
        return false;
    }

private:
    QWidget* window_;
    std::function<void()> place_;
};

}  // namespace

void PlaceAgainWhenFramed(QWidget* window, std::function<void()> place) {
    if (!MarginsOf(window).isNull() || window->windowFlags().testFlag(Qt::FramelessWindowHint))
        return;
    // The latest placing is the one that counts.
    delete window->findChild<QObject*>(QStringLiteral("FrameWatch"), Qt::FindDirectChildrenOnly);
    new FrameWatch(window, std::move(place));
}

namespace {

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
    PlaceAgainWhenFramed(window, [window] { PlaceBottomRight(window, window); });
}

void KeepOnScreen(QWidget* window, const QWidget* anchor) {
    SettleLayout(window);
    const QRect area = WorkArea(anchor);
    if (area.isEmpty()) return;
    const QRect outer = OuterGeometry(window);
    const QPoint inside = KeptInside(area, outer);
    if (inside != outer.topLeft()) window->move(inside);
    PlaceAgainWhenFramed(window, [window, inside] {
        window->move(inside);
        KeepOnScreen(window, window);
    });
}

}  // namespace mertano
