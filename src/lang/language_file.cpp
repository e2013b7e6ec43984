// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/language_file.h"

#include <QDir>
#include <QStringDecoder>
#include <QStringView>

#include "system/regular_file.h"

namespace mertano {

namespace {

constexpr char kEndOfFile = 26;
const QLatin1String kSuffix(".lng");

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

void ParseLine(QStringView line, LanguageTexts& texts) {
    if (line.isEmpty() || line.front() == QLatin1Char('[') || line.front() == QLatin1Char(' '))
        return;
    int n = 0;
    qsizetype digits = 0;
    while (digits < 3 && digits < line.size() && IsAsciiDigit(line[digits]))
        n = n * 10 + line[digits++].digitValue();
    if (digits == 0 || n < 1 || n > kLanguageTextCount) return;
    // The text starts at the fifth character whatever the number's length.
    const QStringView text = line.size() > 4 ? line.mid(4) : QStringView();
    texts.set(n, text.toString().toStdString());
}

// Entries of a folder named `wanted` without regard to case; the exact spelling wins, so
// that two files differing only in case on Linux still resolve as named.
QString FindNoCase(const QString& folder, const QString& wanted, QDir::Filters filters) {
    const QStringList entries = QDir(folder).entryList(
        filters | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    if (entries.contains(wanted)) return QDir(folder).filePath(wanted);
    for (const QString& entry : entries) {
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0) return QDir(folder).filePath(entry);
    }
    return {};
}

}  // namespace

void ParseLanguageFile(const QByteArray& bytes, LanguageTexts& texts) {
    const qsizetype end = bytes.indexOf(kEndOfFile);
    const QString all = DecodeLanguageBytes(end < 0 ? bytes : bytes.left(end));
    qsizetype start = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QChar c = all[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
        ParseLine(QStringView(all).mid(start, i - start), texts);
        if (c == QLatin1Char('\r') && i + 1 < all.size() && all[i + 1] == QLatin1Char('\n')) ++i;
        start = i + 1;
    }
    if (start < all.size()) ParseLine(QStringView(all).mid(start), texts);
}

QString DecodeLanguageBytes(const QByteArray& bytes) {
    // Stateless, so that a sequence cut off at the end counts as invalid too.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    return QString::fromLatin1(bytes);
}

QString TrimLanguageName(const QString& name) {
    qsizetype first = 0;
    qsizetype last = name.size();
    while (first < last && name[first].unicode() <= 32) ++first;
    while (last > first && name[last - 1].unicode() <= 32) --last;
    return name.mid(first, last - first);
}

bool IsSafeLanguageName(const QString& name) {
    if (name.isEmpty() || name.contains(QLatin1String(".."))) return false;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u < 32 || u == 127 || u == u'/' || u == u'\\' || u == u':') return false;
    }
    return true;
}

QString LanguageFolder(const QString& programFolder) {
    return FindNoCase(programFolder, QStringLiteral("Language"), QDir::Dirs);
}

QString LanguageFilePath(const QString& programFolder, const QString& name) {
    if (!IsSafeLanguageName(name)) return {};
    const QString folder = LanguageFolder(programFolder);
    if (folder.isEmpty()) return {};
    return FindNoCase(folder, name + kSuffix, QDir::Files);
}

QString ExpectedLanguageFilePath(const QString& programFolder, const QString& name) {
    QString folder = LanguageFolder(programFolder);
    if (folder.isEmpty()) folder = QDir(programFolder).filePath(QStringLiteral("Language"));
    return folder + QLatin1Char('/') + name + kSuffix;
}

QStringList ListLanguageNames(const QString& programFolder) {
    const QString folder = LanguageFolder(programFolder);
    if (folder.isEmpty()) return {};
    const QStringList files =
        QDir(folder).entryList({QStringLiteral("*.lng")}, QDir::Files | QDir::Hidden | QDir::System,
                               QDir::Name | QDir::IgnoreCase);
    QStringList names;
    for (const QString& file : files) {
        const QString name = file.chopped(kSuffix.size());
        if (IsSafeLanguageName(name) && !names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    return names;
}

QString LanguageLoadError::message() const {
    return QStringLiteral("The language file could not be read:\r%1\r%2")
        .arg(QDir::toNativeSeparators(path), reason);
}

std::variant<LanguageTexts, LanguageLoadError> LoadLanguageTexts(const QString& programFolder,
                                                                 const QString& name) {
    if (!IsSafeLanguageName(name))
        return LanguageLoadError{ExpectedLanguageFilePath(programFolder, name),
                                 QStringLiteral("This is not a language name.")};
    const QString path = LanguageFilePath(programFolder, name);
    if (path.isEmpty())
        return LanguageLoadError{ExpectedLanguageFilePath(programFolder, name),
                                 QStringLiteral("The file does not exist.")};
    const RegularFileRead r = ReadRegularFile(path, kMaxLanguageFileBytes);
    switch (r.status) {
        case RegularFileRead::Status::Read:
            break;
        case RegularFileRead::Status::Missing:
            return LanguageLoadError{path, QStringLiteral("The file does not exist.")};
        case RegularFileRead::Status::Refused: {
            QString reason = r.reason;
            if (!reason.isEmpty()) reason[0] = reason[0].toUpper();
            return LanguageLoadError{path, reason + QLatin1Char('.')};
        }
    }
    LanguageTexts texts;
    ParseLanguageFile(r.bytes, texts);
    return texts;
}

}  // namespace mertano
