// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the materials are kept when Mertano is started from the desktop menu. A menu
// starts programs in the home folder, or wherever the desktop likes, and the material
// file lives in the working folder; so the menu's entry asks for Mertano's own folder in
// the per-user data folder instead, the same one from every start.

#include <QString>
#include <optional>

#include "calc/language_texts.h"

namespace mertano {

// $XDG_DATA_HOME/mertano, or ~/.local/share/mertano when XDG_DATA_HOME is unset, empty or
// relative (the XDG rule: a relative path there counts as none); elsewhere than on a
// freedesktop system, the platform's per-user data folder with "mertano" in it.
QString UserDataFolder();

// Why a folder could not be the working folder.
struct DataFolderFailure {
    QString folder;  // the folder wanted
    QString kept;    // the working folder, which stays
    QString reason;  // the system's words
};

// Makes `folder` (and the folders above it) when missing and makes it the working
// folder; when either cannot be done, the working folder stays as it was.
std::optional<DataFolderFailure> EnterFolder(const QString& folder);

// Text 174 with the two folders, written as the system writes paths.
QString DataFolderNotMadeText(const LanguageTexts& texts, const DataFolderFailure& failure);

}  // namespace mertano
