// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/zoom.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "widgets/whole_text.h"
#include "widgets/window_place.h"

namespace mertano {
namespace {

constexpr char kZoomProperty[] = "mertanoZoom";
constexpr char kRecorded[] = "mertanoZoomRecorded";
constexpr char kBaseGeometry[] = "mertanoZoomGeometry";
constexpr char kBaseMinimum[] = "mertanoZoomMinimum";
constexpr char kBaseMaximum[] = "mertanoZoomMaximum";
constexpr char kBaseFont[] = "mertanoZoomFont";
constexpr char kBaseLine[] = "mertanoZoomLine";
constexpr char kBaseIcon[] = "mertanoZoomIcon";
constexpr char kBaseMargins[] = "mertanoZoomMargins";
constexpr char kBaseSpacing[] = "mertanoZoomSpacing";

QSize ZoomedSize(QSize base, int percent) {
    const auto scale = [percent](int v) { return v >= QWIDGETSIZE_MAX ? v : Zoomed(v, percent); };
    return {scale(base.width()), scale(base.height())};
}

// Edges are scaled, not the size, so that boxes that touch at 100 % still touch.
QRect ZoomedRect(QRect base, int percent) {
    const int left = Zoomed(base.left(), percent);
    const int top = Zoomed(base.top(), percent);
    return {left, top, Zoomed(base.left() + base.width(), percent) - left,
            Zoomed(base.top() + base.height(), percent) - top};
}

// Records once what the widget has at 100 %: only what was set on it, as the rest
// follows from its parent and its layout.
void RecordBase(QWidget* w, bool isWindow) {
    if (w->property(kRecorded).isValid()) return;
    w->setProperty(kRecorded, true);
    // Only the program's own controls, which it names: the parts of a composite widget
    // (a combo box's field) are placed by that widget.
    const bool ours = !w->objectName().isEmpty() && !w->objectName().startsWith("qt_");
    const bool placedByHand =
        ours && !isWindow && w->parentWidget() && !w->parentWidget()->layout();
    if (placedByHand) w->setProperty(kBaseGeometry, w->geometry());
    if (w->minimumSize() != QSize(0, 0)) w->setProperty(kBaseMinimum, w->minimumSize());
    if (w->maximumSize() != QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX))
        w->setProperty(kBaseMaximum, w->maximumSize());
    if (isWindow || w->testAttribute(Qt::WA_SetFont)) {
        const auto* label = qobject_cast<QLabel*>(w);
        w->setProperty(kBaseFont, label ? UnfittedFont(*label) : w->font());
    }
    if (auto* frame = qobject_cast<QFrame*>(w); frame && frame->lineWidth() > 0)
        w->setProperty(kBaseLine, QSize(frame->lineWidth(), frame->midLineWidth()));
    if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->icon().isNull())
        w->setProperty(kBaseIcon, button->iconSize());
}

QFont ZoomedFont(QFont font, int percent) {
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, Zoomed(font.pixelSize(), percent)));
    else if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * percent / 100.0);
    return font;
}

void ApplyZoom(QWidget* w, int percent) {
    if (const QVariant v = w->property(kBaseMinimum); v.isValid())
        w->setMinimumSize(ZoomedSize(v.toSize(), percent));
    if (const QVariant v = w->property(kBaseMaximum); v.isValid())
        w->setMaximumSize(ZoomedSize(v.toSize(), percent));
    if (const QVariant v = w->property(kBaseGeometry); v.isValid())
        w->setGeometry(ZoomedRect(v.toRect(), percent));
    if (const QVariant v = w->property(kBaseFont); v.isValid()) {
        w->setFont(ZoomedFont(v.value<QFont>(), percent));
        if (auto* label = qobject_cast<QLabel*>(w)) RefitWholeText(label);
    }
    if (const QVariant v = w->property(kBaseLine); v.isValid()) {
        auto* frame = static_cast<QFrame*>(w);
        frame->setLineWidth(std::max(1, Zoomed(v.toSize().width(), percent)));
        frame->setMidLineWidth(Zoomed(v.toSize().height(), percent));
    }
    if (const QVariant v = w->property(kBaseIcon); v.isValid())
        static_cast<QAbstractButton*>(w)->setIconSize(ZoomedSize(v.toSize(), percent));
}

void ZoomLayout(QLayout* layout, int percent) {
    if (!layout->property(kBaseMargins).isValid()) {
        const QMargins m = layout->contentsMargins();
        layout->setProperty(kBaseMargins, QRect(m.left(), m.top(), m.right(), m.bottom()));
        layout->setProperty(kBaseSpacing, layout->spacing());
    }
    const QRect m = layout->property(kBaseMargins).toRect();
    layout->setContentsMargins(Zoomed(m.x(), percent), Zoomed(m.y(), percent),
                               Zoomed(m.width(), percent), Zoomed(m.height(), percent));
    const int spacing = layout->property(kBaseSpacing).toInt();
    if (spacing >= 0) layout->setSpacing(Zoomed(spacing, percent));
}

}  // namespace

int ValidZoom(int percent) {
    return std::find(kZoomSteps.begin(), kZoomSteps.end(), percent) != kZoomSteps.end() ? percent
                                                                                        : 100;
}

int NextZoom(int percent) {
    const auto* at = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), percent);
    return at == kZoomSteps.end() ? percent : *at;
}

int PreviousZoom(int percent) {
    const auto* at = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), percent);
    return at == kZoomSteps.begin() ? percent : *(at - 1);
}

int Zoomed(int base, int percent) {
    return int(std::lround(base * percent / 100.0));
}

int WindowZoom(const QWidget* window) {
    const QVariant v = window->property(kZoomProperty);
    return v.isValid() ? v.toInt() : 100;
}

void ZoomWindow(QWidget* window, int percent) {
    percent = ValidZoom(percent);
    if (percent == WindowZoom(window)) return;
    QList<QWidget*> widgets{window};
    for (QWidget* child : window->findChildren<QWidget*>()) {
        // Windows it owns (dialogs, menus) are zoomed on their own.
        if (child->window() == window) widgets << child;
    }
    // A window the user can resize keeps the size it was given, grown as everything in it.
    const int old = WindowZoom(window);
    if (window->minimumSize() != window->maximumSize())
        window->resize(window->size() * percent / old);
    for (QWidget* w : widgets) RecordBase(w, w == window);
    // Set first: a widget that follows the new font asks the zoom then.
    window->setProperty(kZoomProperty, percent);
    // The window's font first, as its children's fonts derive from it.
    for (QWidget* w : widgets) ApplyZoom(w, percent);
    for (QLayout* layout : window->findChildren<QLayout*>()) {
        if (layout->parentWidget() && layout->parentWidget()->window() == window)
            ZoomLayout(layout, percent);
    }
    // Sized now, not when the layouts next run: the window is placed by its size.
    SettleLayout(window);
}

QPoint BasePosition(const QWidget* widget) {
    const QVariant recorded = widget->property(kBaseGeometry);
    return recorded.isValid() ? recorded.toRect().topLeft() : widget->pos();
}

void MoveZoomed(QWidget* widget, QPoint base) {
    const QVariant recorded = widget->property(kBaseGeometry);
    if (recorded.isValid()) {
        QRect r = recorded.toRect();
        r.moveTopLeft(base);
        widget->setProperty(kBaseGeometry, r);
        widget->setGeometry(ZoomedRect(r, WindowZoom(widget->window())));
    } else {
        widget->move(base);
    }
}

namespace {

int programZoom = 100;

// Sees every window of the program just before it is first shown.
class ZoomOnShow : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->isWindow() && w->windowType() != Qt::ToolTip && WindowZoom(w) != programZoom)
                ZoomWindow(w, programZoom);
        }
        return false;
    }
};

}  // namespace

int ProgramZoom() {
    return programZoom;
}

void SetProgramZoom(int percent) {
    static ZoomOnShow* const filter = [] {
        auto* f = new ZoomOnShow(qApp);
        qApp->installEventFilter(f);
        return f;
    }();
    Q_UNUSED(filter);
    programZoom = ValidZoom(percent);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->windowType() != Qt::ToolTip) ZoomWindow(w, programZoom);
    }
}

}  // namespace mertano
