// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

class QPrinter;

namespace mertano {

// Prints the image on one page, as large as the page allows with its proportions kept.
bool PrintImage(QPrinter& printer, const QImage& image);

}  // namespace mertano
