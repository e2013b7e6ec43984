// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Mertano's own messages about files: a numbered text says in the user's language what
// happened; the technical report (path, the system's reason) follows for those who
// want it.

#include <QString>

#include "calc/language_texts.h"

namespace mertano {

struct LanguageLoadError;

// Text `headline`, a blank line, then `detail`; lines are separated by CR, as the
// message dialog takes them.
QString DetailedMessage(const LanguageTexts& texts, int headline, const QString& detail);

// A language file that does not exist is named as missing; any other failure as
// unreadable, with its reason.
QString LanguageLoadMessage(const LanguageTexts& texts, const LanguageLoadError& error);

}  // namespace mertano
