// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One zoom for every window: places, sizes, fonts, frames and icons grow together by one
// factor, from the sizes each window was built at. At 100 % nothing is touched, so the
// window is the one built, pixel for pixel.

#include <QPoint>
#include <array>

class QWidget;

namespace mertano {

inline constexpr std::array<int, 5> kZoomSteps{100, 125, 150, 175, 200};

// A step of kZoomSteps: `percent` itself when it is one, else 100.
int ValidZoom(int percent);
// The step after or before `percent`, or `percent` at either end.
int NextZoom(int percent);
int PreviousZoom(int percent);
// `base` pixels at `percent`, rounded to the nearest pixel.
int Zoomed(int base, int percent);

// Scales `window` and everything in it (but not the other windows it owns) to `percent`
// of the sizes it had when it was first zoomed.
void ZoomWindow(QWidget* window, int percent);
// The percent `window` was last zoomed to (100 for one never zoomed).
int WindowZoom(const QWidget* window);
// Where a widget is at 100 %.
QPoint BasePosition(const QWidget* widget);
// Puts a widget at `base`, a place at 100 %, scaled as its window is now.
void MoveZoomed(QWidget* widget, QPoint base);

}  // namespace mertano

namespace mertano {

// The zoom of the whole program. Every window takes it as it is shown, dialogs and
// messages made later included; changing it zooms every open window at once.
int ProgramZoom();
void SetProgramZoom(int percent);

}  // namespace mertano
