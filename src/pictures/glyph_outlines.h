// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QPainterPath>
#include <optional>

namespace mertano {

// The few letters the pictures draw as shapes, kept as outlines, so that drawing them
// loads no font: each is what QPainterPath::addText(0, 0, font, text) gives with the
// DejaVu fonts (under their own free licence) at the size and style noted.
enum class StoredOutline {
    QuestionMark,  // "?", DejaVu Sans Bold, 18 px: the help glyph
    LetterA,       // "A", DejaVu Sans Bold, 8 px: the language glyph
    BannerName,    // "Mertano", DejaVu Serif Bold Italic, 22 px: the banner
    WelcomeName,   // "Mertano", DejaVu Serif Bold Italic, 40 px: the welcome picture
};

QPainterPath OutlineOf(StoredOutline which);

// A letter of the figures' labels in DejaVu Serif Italic at a pixel size, as
// QPainterPath::addText and QFontMetricsF give it: the outline set at the origin, the
// advance, and the top and bottom of its ink. Only the letters the figures use are kept.
struct LabelLetter {
    QPainterPath outline;
    qreal advance;
    qreal inkTop;
    qreal inkBottom;
};
std::optional<LabelLetter> StoredLabelLetter(QChar letter, int pixels);

}  // namespace mertano
