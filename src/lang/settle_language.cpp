// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/settle_language.h"

#include <QDir>
#include <QSettings>
#include <array>

#include "lang/detailed_message.h"
#include "lang/language_file.h"

namespace mertano {

namespace {

const QString kLanguageKey = QStringLiteral("Language");
const QString kSettledKey = QStringLiteral("Lng");

struct LocaleRow {
    std::array<const char*, 3> codes;
    const char* language;
};

// Tried in this order; a later row whose file exists wins.
constexpr std::array<LocaleRow, 14> kLocaleRows = {{
    {{"0000040E"}, "Hungarian"},
    {{"00000405"}, "Czech"},
    {{"00000407", "00000807", "00000C07"}, "German"},
    {{"0000040A"}, "Spanish"},
    {{"00000809"}, "English"},
    {{"00000418"}, "Romanian"},
    {{"0000040C"}, "French"},
    {{"00000410"}, "Italian"},
    {{"00000415"}, "Polish"},
    {{"0000041B"}, "Slovak"},
    {{"00000402"}, "Bulgarian"},
    {{"00000419"}, "Russian"},
    {{"0000041A"}, "Croatian"},
    {{"00000416", "00000816"}, "Portuguese"},
}};

struct LocaleCodeRow {
    QLocale::Language language;
    QLocale::Territory territory;  // AnyTerritory: every territory of the language
    const char* code;
};

constexpr std::array<LocaleCodeRow, 18> kLocaleCodes = {{
    {QLocale::Hungarian, QLocale::AnyTerritory, "0000040E"},
    {QLocale::Czech, QLocale::AnyTerritory, "00000405"},
    {QLocale::German, QLocale::Germany, "00000407"},
    {QLocale::German, QLocale::Switzerland, "00000807"},
    {QLocale::German, QLocale::Austria, "00000C07"},
    {QLocale::Spanish, QLocale::AnyTerritory, "0000040A"},
    {QLocale::English, QLocale::UnitedKingdom, "00000809"},
    {QLocale::English, QLocale::UnitedStates, "00000409"},
    {QLocale::Romanian, QLocale::AnyTerritory, "00000418"},
    {QLocale::French, QLocale::AnyTerritory, "0000040C"},
    {QLocale::Italian, QLocale::AnyTerritory, "00000410"},
    {QLocale::Polish, QLocale::AnyTerritory, "00000415"},
    {QLocale::Slovak, QLocale::AnyTerritory, "0000041B"},
    {QLocale::Bulgarian, QLocale::AnyTerritory, "00000402"},
    {QLocale::Russian, QLocale::AnyTerritory, "00000419"},
    {QLocale::Croatian, QLocale::AnyTerritory, "0000041A"},
    {QLocale::Portuguese, QLocale::Brazil, "00000416"},
    {QLocale::Portuguese, QLocale::Portugal, "00000816"},
}};

QString AsciiUpper(QString s) {
    for (QChar& c : s)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 32);
    return s;
}

QString AsciiLower(QString s) {
    for (QChar& c : s)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + 32);
    return s;
}

QString LanguageOfLocale(const QString& programFolder, const QString& localeCode) {
    QString candidate = QStringLiteral("English");
    const QByteArray code = AsciiUpper(localeCode).toLatin1();
    for (const LocaleRow& row : kLocaleRows) {
        for (const char* c : row.codes) {
            if (c && code == c && !LanguageFilePath(programFolder, row.language).isEmpty())
                candidate = QString::fromLatin1(row.language);
        }
    }
    return candidate;
}

bool IsFirstStart(const QSettings& settings) {
    const int lng = settings.value(kSettledKey).toString().toInt();
    return (lng & 0xFF) == 0;
}

QString NotSettledMessage(const QString& name) {
    static const QString kEnd = QStringLiteral("\r\rPlease configure the language!");
    if (name.isEmpty())
        return QStringLiteral(
                   "The language is not configured!\r\r"
                   "If the language is not configured the program will not start!") +
               kEnd;
    return QStringLiteral("File not found:   ..Language\\") + name +
           QStringLiteral(".lng\r\rIf the language file is not found the program will not start!") +
           kEnd;
}

// The answer is taken as "english" and offered as "English".
QString CapitalizedAnswer(const QString& lowered) {
    if (lowered.isEmpty()) return lowered;
    return AsciiUpper(lowered.left(1)) + lowered.mid(1);
}

// Writes what was set and says why it could not be, if so. QSettings writes lazily and
// keeps quiet about a failure; only sync() and status() tell, and only at once.
std::optional<QString> WriteSettings(QSettings& settings) {
    settings.sync();
    QString reason;
    switch (settings.status()) {
        case QSettings::NoError:
            return std::nullopt;
        case QSettings::AccessError:
            reason = QStringLiteral("it or its folder cannot be written");
            break;
        case QSettings::FormatError:
            reason = QStringLiteral("it is not a settings file");
            break;
    }
    return QStringLiteral("Could not write the settings file %1: %2.")
        .arg(QDir::toNativeSeparators(settings.fileName()), reason);
}

}  // namespace

SettledLanguage SettleLanguage(const QString& programFolder, const QString& localeCode,
                               SettleInteraction& ui) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Vrelk", "Mertano");
    const bool firstStart = IsFirstStart(settings);
    const QString stored = firstStart ? LanguageOfLocale(programFolder, localeCode)
                                      : settings.value(kLanguageKey).toString();
    SettledLanguage result;
    result.languageName = TrimLanguageName(stored);
    result.languageNames = ListLanguageNames(programFolder);
    if (!result.languageName.isEmpty() &&
        !LanguageFilePath(programFolder, result.languageName).isEmpty()) {
        result.unwritten = firstStart;
        return result;
    }
    if (firstStart) {
        settings.setValue(kLanguageKey, stored);
        settings.setValue(kSettledKey, QStringLiteral("1"));
    }

    ui.ShowError(NotSettledMessage(result.languageName));
    const QString lowered = AsciiLower(ui.AskLanguageName());
    const QString chosen = TrimLanguageName(CapitalizedAnswer(lowered));
    // Files are found without regard to case, so the listed names are compared so too.
    if (!chosen.isEmpty() && result.languageNames.contains(chosen, Qt::CaseInsensitive)) {
        settings.setValue(kLanguageKey, chosen);
        result.languageName = TrimLanguageName(lowered);
        if (const std::optional<QString> error = WriteSettings(settings)) {
            // The program goes on in the language; the user learns, in it, that the next
            // start will ask again.
            auto loaded = LoadLanguageTexts(programFolder, result.languageName);
            const auto* texts = std::get_if<LanguageTexts>(&loaded);
            ui.ShowError(DetailedMessage(texts ? *texts : LanguageTexts::BuiltinWindowEnglish(),
                                         kTextLanguageNotKept, *error));
        }
        return result;
    }
    if (!chosen.isEmpty())
        ui.ShowError(QStringLiteral("File not found \"%1\" language file").arg(chosen));
    result.exitCode = kNoLanguageExitCode;
    result.languageName.clear();
    return result;
}

std::optional<QString> RememberSettledLanguage(SettledLanguage& settled) {
    if (!settled.unwritten) return std::nullopt;
    settled.unwritten = false;
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Vrelk", "Mertano");
    // A language chosen in the dialog meanwhile has been stored and stays.
    if (!IsFirstStart(settings)) return std::nullopt;
    settings.setValue(kLanguageKey, settled.languageName);
    settings.setValue(kSettledKey, QStringLiteral("1"));
    return WriteSettings(settings);
}

QString LocaleCode(const QLocale& locale) {
    for (const LocaleCodeRow& row : kLocaleCodes) {
        if (row.language == locale.language() &&
            (row.territory == QLocale::AnyTerritory || row.territory == locale.territory()))
            return QString::fromLatin1(row.code);
    }
    return {};
}

QString SystemLocaleCode() {
#ifdef Q_OS_WIN
    const QSettings international(QStringLiteral("HKEY_CURRENT_USER\\Control Panel\\International"),
                                  QSettings::NativeFormat);
    return international.value(QStringLiteral("Locale")).toString();
#else
    return LocaleCode(QLocale::system());
#endif
}

QString StoredLanguageName() {
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Vrelk", "Mertano");
    return settings.value(kLanguageKey).toString();
}

std::optional<QString> StoreLanguageChoice(const QString& name) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Vrelk", "Mertano");
    settings.setValue(kLanguageKey, name);
    settings.setValue(kSettledKey, QStringLiteral("1"));
    return WriteSettings(settings);
}

}  // namespace mertano
