// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_language.h"

#include <QDir>

#include "lang/language_file.h"
#include "lang/settle_language.h"

namespace mertano::cli {

namespace {

std::optional<LanguageTexts> TryLoad(const QString& programFolder, const QString& name) {
    auto loaded = LoadLanguageTexts(programFolder, name);
    if (auto* texts = std::get_if<LanguageTexts>(&loaded)) return std::move(*texts);
    return std::nullopt;
}

// A file that is there but could not be read is named with the reason, not as missing.
RequestError Unreadable(const LanguageLoadError& error) {
    QString reason = error.reason;
    if (reason.endsWith(QLatin1Char('.'))) reason.chop(1);
    if (!reason.isEmpty()) reason[0] = reason[0].toLower();
    return {QStringLiteral("could not read the language file %1: %2")
                .arg(QDir::toNativeSeparators(error.path), reason)
                .toStdString()};
}

RequestError NoSuchLanguage(const QString& programFolder, const QString& name) {
    const QStringList known = ListLanguageNames(programFolder);
    QString message =
        IsSafeLanguageName(name)
            ? QStringLiteral("no language file for \"%1\" (looked for %2)")
                  .arg(name,
                       QDir::toNativeSeparators(ExpectedLanguageFilePath(programFolder, name)))
            : QStringLiteral("\"%1\" is not a language name").arg(name);
    message += known.isEmpty() ? QStringLiteral("; no language files found")
                               : QStringLiteral("; languages: ") + known.join(QStringLiteral(", "));
    return {message.toStdString()};
}

}  // namespace

std::variant<LanguageTexts, RequestError> MessageTexts(const QString& programFolder,
                                                       const std::optional<QString>& requested) {
    if (requested) {
        const QString name = TrimLanguageName(*requested);
        auto loaded = LoadLanguageTexts(programFolder, name);
        if (auto* texts = std::get_if<LanguageTexts>(&loaded)) return std::move(*texts);
        if (!LanguageFilePath(programFolder, name).isEmpty())
            return Unreadable(std::get<LanguageLoadError>(loaded));
        return NoSuchLanguage(programFolder, name);
    }
    const QString stored = TrimLanguageName(StoredLanguageName());
    if (!stored.isEmpty()) {
        if (auto texts = TryLoad(programFolder, stored)) return std::move(*texts);
    }
    if (auto texts = TryLoad(programFolder, QStringLiteral("English"))) return std::move(*texts);
    return LanguageTexts::BuiltinEnglish();
}

}  // namespace mertano::cli
