// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QToolButton>

class QPainter;
class QPalette;
class QRect;

namespace mertano {

// Where the keyboard is, drawn so that it is seen at a glance: the style's own dotted
// frame on the flat figure and toolbar buttons is all but invisible.
void DrawFocusRing(QPainter& painter, const QRect& rect, const QPalette& palette);

// A toolbar button that shows the focus ring when the keyboard is on it.
class ToolBarButton : public QToolButton {
    Q_OBJECT

public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace mertano
