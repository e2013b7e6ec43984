// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPainter;

namespace mertano {

// The red dot beside the caption of the chosen figure button, on 19 x 19.
void PaintButtonMarker(QPainter& painter);
// The picture shown while no figure is chosen, on 320 x 200.
void PaintWelcome(QPainter& painter);

}  // namespace mertano
