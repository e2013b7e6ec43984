// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/detailed_message.h"

#include <QDir>
#include <QFileInfo>

#include "lang/language_file.h"

namespace mertano {

QString DetailedMessage(const LanguageTexts& texts, int headline, const QString& detail) {
    QString message = QString::fromStdString(texts.text(headline));
    if (!detail.isEmpty()) message += QStringLiteral("\r\r") + detail;
    return message;
}

QString LanguageLoadMessage(const LanguageTexts& texts, const LanguageLoadError& error) {
    const QString path = QDir::toNativeSeparators(error.path);
    // Asked of the file system rather than of the reason's wording, which is English.
    if (!QFileInfo::exists(error.path)) return DetailedMessage(texts, kTextLanguageMissing, path);
    return DetailedMessage(texts, kTextLanguageUnreadable, path + QLatin1Char('\r') + error.reason);
}

}  // namespace mertano
