// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Settling the language at start-up: the stored choice, else the user's locale at the
// first start, else the user is asked. Runs before any language text exists, so its
// boxes speak fixed English.

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

namespace mertano {

inline constexpr char kConfigureLanguageTitle[] = "Configure language";
inline constexpr char kConfigureLanguagePrompt[] = "Write language name (English or Hungarian):";
inline constexpr int kNoLanguageExitCode = 1;

// The boxes of settling, replaced in tests.
class SettleInteraction {
public:
    virtual ~SettleInteraction() = default;
    // A modal error box with the caption "Error" and one OK button. Lines end in CR. Also
    // says, in the language just chosen, when that choice could not be stored.
    virtual void ShowError(const QString& message) = 0;
    // The modal input box titled kConfigureLanguageTitle with kConfigureLanguagePrompt and
    // an empty default; Cancel answers the empty string.
    virtual QString AskLanguageName() = 0;
};

struct SettledLanguage {
    int exitCode = 0;           // kNoLanguageExitCode: the program must end with it
    QString languageName;       // the current language name when settled
    QStringList languageNames;  // the languages found beside the program
    // On a first start the language taken from the locale is written only by
    // RememberSettledLanguage, so the write need not hold up the first window.
    bool unwritten = false;
    bool settled() const { return exitCode == 0; }
};

// programFolder is the executable's folder; localeCode as SystemLocaleCode() gives it.
SettledLanguage SettleLanguage(const QString& programFolder, const QString& localeCode,
                               SettleInteraction& ui);
// Writes a first start's language, so that the next start is not a first one. Gives the
// technical report (English) when the settings could not be written.
std::optional<QString> RememberSettledLanguage(SettledLanguage& settled);

// Eight hexadecimal digits such as "0000040E": the registry's value on Windows, else the
// code of the system locale; empty for a locale without a code.
QString SystemLocaleCode();
QString LocaleCode(const QLocale& locale);

// The values "Language" and "Lng" of the per-user settings store.
QString StoredLanguageName();
// Stores the language and marks it settled ("Lng" = "1"). Gives the technical report
// (English) when the settings could not be written.
std::optional<QString> StoreLanguageChoice(const QString& name);

}  // namespace mertano
