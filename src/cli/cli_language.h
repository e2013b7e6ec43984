// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <variant>

#include "calc/language_texts.h"
#include "cli/cli_request.h"

namespace mertano::cli {

// The texts of the messages. A language asked for by name must have its file beside the
// program; without one, the language chosen in Mertano, else English, else the engine's
// own English, so that a script never fails for want of a language file.
std::variant<LanguageTexts, RequestError> MessageTexts(const QString& programFolder,
                                                       const std::optional<QString>& requested);

}  // namespace mertano::cli
