// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Numbers must be read whole: a box or field too narrow for its text shrinks the text's
// font until all of it fits rather than cutting digits off, and the whole text is also
// its tooltip and its accessible description, for a reader that cannot make out small
// type. The owner's font stays the largest one used.
#include <QFont>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;

namespace mertano {

// `base` made just small enough for `text` to take at most `width` pixels (base itself
// when it fits; never below a few pixels).
QFont FontToFit(const QFont& base, const QString& text, int width);
// The same for any way of measuring, stepping down to `smallest` (pixels or points, as
// `base` is sized): a pixel or half a point at a time.
QFont FontToFit(const QFont& base, int width, qreal smallest,
                const std::function<int(const QFont&)>& measure);

// Sets a label's text shown whole.
void SetWholeText(QLabel* label, const QString& text);

// The font the label's owner set, before any fitting.
QFont UnfittedFont(const QLabel& label);
// Fits the label's text again to a font its owner has just set.
void RefitWholeText(QLabel* label);

// Keeps a line edit's whole text in view from now on: every text change, resize and
// font its owner sets is followed.
void KeepWholeText(QLineEdit* edit);

}  // namespace mertano
