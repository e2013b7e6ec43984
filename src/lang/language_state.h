// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The language the program shows: created once by main after settling and handed to the
// windows that show or switch texts.

#include <QString>
#include <QStringList>
#include <optional>

#include "calc/language_texts.h"
#include "lang/language_file.h"

namespace mertano {

class LanguageState {
public:
    // Until the first reload the built-in English texts stand in, captions included, and
    // they stay when the file cannot be read then: a window never loses its captions.
    explicit LanguageState(QString programFolder, QString languageName = {},
                           QStringList languageNames = {});

    const QString& programFolder() const { return programFolder_; }
    const QString& languageName() const { return languageName_; }
    void setLanguageName(const QString& name) { languageName_ = name; }
    // The languages found at start; files added later appear after a restart.
    const QStringList& languageNames() const { return languageNames_; }
    const LanguageTexts& texts() const { return texts_; }

    // Reads the texts of the current language again. When the file cannot be read the
    // texts shown so far stay, so no later message comes up empty, and the error says
    // which file failed.
    std::optional<LanguageLoadError> reload();

private:
    QString programFolder_;
    QString languageName_;
    QStringList languageNames_;
    LanguageTexts texts_;
};

}  // namespace mertano
