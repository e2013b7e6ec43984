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
