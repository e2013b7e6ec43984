// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The file dialog of the windows that save and open files of their own.
#include <QString>

class QWidget;

namespace mertano {

struct FileChoice {
    bool save = true;  // false: an existing file to open
    QString filter;    // "Mertano jobs (*.mertano)", in the current language
    QString suffix;    // added to a name typed without one
    QString folder;    // where the dialog starts; empty: where it likes
    QString name;      // a name offered for saving
};

// The chosen file, or empty when the dialog was cancelled.
QString ChooseFile(QWidget* parent, const FileChoice& choice);

}  // namespace mertano
