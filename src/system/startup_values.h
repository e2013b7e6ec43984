// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace mertano {

// The values the main window's creation leaves for the whole program.
struct StartupValues {
    QString programFolder;  // ends in the path separator
    QString workingFolder;  // where the program was started: the material file lives here
    QString websiteAddress;
    QString mailAddress;
    QString browserCommand;
    QString versionText;  // three numbers: 1.5.0
};

struct WebsiteAddresses {
    QString website;
    QString mail;
};

// The lines of website.url: "URL=" gives the website address (at most 100 characters),
// "E-mail:" the mail address (at most 50), each trimmed of control characters and
// blanks; a later line replaces an earlier one; every other line is ignored.
WebsiteAddresses ReadWebsiteUrl(const QString& text);
// The same, from the file; a file that is missing or cannot be read gives no addresses.
WebsiteAddresses ReadWebsiteUrlFile(const QString& path);

// The program of the web page handler from its command: the first double quote goes,
// then 50 characters from the next one (its arguments).
QString BrowserProgramFromCommand(const QString& command);
// The handler's command from the system settings; empty where there is none.
QString SystemBrowserCommand();

// Where a window of this size sits in the middle of the screen; each half is an integer
// division done before the subtraction.
QPoint CentredPosition(const QSize& screen, const QSize& window);
// The same within an area of the desktop that need not start at (0, 0): the part of a
// screen that panels leave free, or a second monitor.
QPoint CentredPosition(const QRect& area, const QSize& window);
// Where a window of this size (its frame included) sits in the area's bottom-right corner.
QPoint BottomRightPosition(const QRect& area, const QSize& window);
// The window moved as little as it takes to lie wholly in the area; a window larger
// than the area keeps its top-left corner (title bar) inside.
QPoint KeptInside(const QRect& area, const QRect& window);

// The first three numbers of a version such as "2.0.3.7".
QString VersionText(const QString& version);

}  // namespace mertano
