// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the program's windows sit on the desktop. Every place is worked out within the
// part of a screen that panels leave free, on the screen that holds the main window,
// and from the window's size after its layout has taken the current captions, frame
// included: a dialog placed from an older, smaller size would hang off the screen.

#include <functional>

class QRect;
class QWidget;

namespace mertano {

// The free part of the screen that holds `anchor` (the primary screen without one).
QRect WorkArea(const QWidget* anchor);
// Settles the window's layouts, inner ones first, so that its size is final.
void SettleLayout(QWidget* window);
// Puts the window, frame included, in the bottom-right corner of the anchor's work area.
void PlaceBottomRight(QWidget* window, const QWidget* anchor);
// Moves the window as little as it takes to lie wholly in the anchor's work area.
void KeepOnScreen(QWidget* window, const QWidget* anchor);
// Runs `place` once the window manager has framed the window, for a window whose frame is
// not known yet: a place worked out before then is only as good as the frame it guessed.
void PlaceAgainWhenFramed(QWidget* window, std::function<void()> place);

}  // namespace mertano
