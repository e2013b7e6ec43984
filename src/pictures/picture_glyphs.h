// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPainter;

namespace mertano {

// The toolbar glyphs, each on a transparent ground so the button face shows around it.
// They are drawn in logical pixels; straight edges sit on pixel boundaries so that they
// stay crisp at a device pixel ratio of 1 and simply get finer at higher ratios.

// Leaving the program: an open door with an arrow walking out, on 25 x 25.
void PaintExitGlyph(QPainter& painter);
// Converting angles: an angle with its arc and arrows both ways, on 25 x 25.
void PaintAngleGlyph(QPainter& painter);
// Help: a question mark on a blue disc, on 27 x 27.
void PaintHelpGlyph(QPainter& painter);
// The calculator: a pocket calculator with its display and keys, on 25 x 25.
void PaintCalculatorGlyph(QPainter& painter);
// Languages: a globe with a speech bubble, on 27 x 27.
void PaintLanguageGlyph(QPainter& painter);
// Materials: a stack of three metal ingots, on 27 x 27.
void PaintMaterialsGlyph(QPainter& painter);

// The website banner on 200 x 30: the name beside a few small figures. The highlighted
// one, shown while the pointer is over it, is brighter and has a light outline.
void PaintBanner(QPainter& painter, bool highlighted);

}  // namespace mertano
