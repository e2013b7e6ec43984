// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How the desktop knows Mertano: the application id that names its desktop entry, icon
// and metainfo, and the icon every Mertano window shows.

#include <QIcon>
#include <QList>
#include <QString>

namespace mertano {

// Reverse-DNS, as the desktop entry and the metainfo are named.
QString ApplicationId();

// The sizes the window icon is drawn at; the icon theme has larger ones too.
QList<int> WindowIconSizes();

// The icon, built into the program so that a window has it even when no icon theme
// holds Mertano's.
QIcon ApplicationIcon();

// Names the desktop entry (the desktop matches windows to it by this). Needs the
// application object.
void ApplyApplicationIdentity();

// Gives every window, shown or still to come, the icon. The window system takes it at
// any time, so a start sets it once the window has been painted.
void ApplyApplicationIcon();

}  // namespace mertano
