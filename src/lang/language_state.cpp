// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/language_state.h"

#include <utility>

namespace mertano {

LanguageState::LanguageState(QString programFolder, QString languageName, QStringList languageNames)
    : programFolder_(std::move(programFolder)),
      languageName_(std::move(languageName)),
      languageNames_(std::move(languageNames)),
      texts_(LanguageTexts::BuiltinWindowEnglish()) {}

std::optional<LanguageLoadError> LanguageState::reload() {
    auto loaded = LoadLanguageTexts(programFolder_, TrimLanguageName(languageName_));
    if (auto* error = std::get_if<LanguageLoadError>(&loaded)) return *error;
    texts_ = std::get<LanguageTexts>(std::move(loaded));
    return std::nullopt;
}

}  // namespace mertano
