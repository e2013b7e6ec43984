// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the program's own files lie: the language files, the help pages and website.url.
//
// A build tree or a portable copy keeps them beside the executable. An installed program
// keeps them in the data folder of its prefix (share/mertano), which is found from the
// executable's folder by the path from the installed bin folder to it, so a prefix moved
// as a whole still finds its files. The window and the command line both ask here.

#include <QString>

namespace mertano {

// The program folder, ending in "/": the executable's folder when it holds a language
// folder (in any letter case); otherwise `dataFromExecutable` taken from there when that
// folder exists; otherwise the executable's folder still, so that a message about a
// missing language file names the place a copy of the program looks in.
QString ProgramFolder(const QString& executableFolder, const QString& dataFromExecutable);

// The same for the running program, with the data path its build was configured with.
// Needs the application object.
QString ProgramFolder();

}  // namespace mertano
