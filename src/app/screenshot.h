// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace mertano {

class TFoForm;

// Chooses the cone, types r = 3 and m = 4, calculates, and saves the window's picture:
// the picture the README shows, made by the real program.
bool SaveSolvedScreenshot(TFoForm& form, const QString& path);

}  // namespace mertano
