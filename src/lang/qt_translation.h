// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt's own texts (the print dialog, the input box, the edit context menus, the standard
// buttons) in the language Mertano shows. Mertano names its languages in English, as its
// language files are named; Qt's catalogues go by locale.

#include <QLocale>
#include <QString>
#include <memory>

class QTranslator;

namespace mertano {

// The locale of a language named in English ("Hungarian", "german"), without regard to
// case or surrounding blanks; the C locale when Qt knows no language of that name.
QLocale LocaleOfLanguageName(const QString& languageName);

class QtTranslation {
public:
    // `folder` holds Qt's catalogues (qtbase_hu.qm and so on); empty means Qt's own
    // translations folder.
    explicit QtTranslation(QString folder = {});
    ~QtTranslation();
    QtTranslation(const QtTranslation&) = delete;
    QtTranslation& operator=(const QtTranslation&) = delete;

    // Puts Qt's catalogue for the language in place of the one before. English, a name
    // Qt does not know and a language without a catalogue leave Qt's built-in English.
    // Returns whether a catalogue is in use now.
    bool setLanguage(const QString& languageName);

private:
    QString folder_;
    std::unique_ptr<QTranslator> translator_;
};

}  // namespace mertano
