// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// High contrast, for eyes that need it: every window of the program black on white, its
// frames black, the drawings' lines bolder. The colours the windows choose for themselves
// (aqua result boxes, a yellow heading, a blue link, red values) give way while it is on
// and come back when it is turned off.

namespace mertano {

bool HighContrast();
void SetHighContrast(bool on);

}  // namespace mertano
