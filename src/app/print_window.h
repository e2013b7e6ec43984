// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPrinter;
class QWidget;

namespace mertano {

// Prints the window as it looks, drawn into the printer's own resolution (texts stay text,
// lines stay lines) at its size on a 96 dots-per-inch screen, smaller only when the page is
// smaller, centred within the page margins.
bool PrintWindow(QPrinter& printer, QWidget& window);

}  // namespace mertano
