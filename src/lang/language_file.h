// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Language files: one numbered text a line, in a "Language" folder beside the program.
//
//   [Heading]            skipped
//    comment             a line that starts with a blank is skipped
//   001 Exit             number in the first three characters, text from the fifth
//
// A line ends at CR, CR LF or LF alone; character 26 ends the file. The bytes are UTF-8,
// or Latin-1 when they are not valid UTF-8 (files from older editors).

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <variant>

#include "calc/language_texts.h"

namespace mertano {

// Puts every text line of the file's bytes into its slot; lines whose number is not
// 1 to 85 are not texts and change nothing. Slots no line gives are left as they are.
void ParseLanguageFile(const QByteArray& bytes, LanguageTexts& texts);

// UTF-8 when the bytes are valid UTF-8 (a leading byte order mark dropped), else Latin-1.
QString DecodeLanguageBytes(const QByteArray& bytes);

// Removes characters 0 to 32 at both ends, as names typed or stored are compared.
QString TrimLanguageName(const QString& name);

// A language name is a plain file name. One holding a path separator, "..", a colon
// (drive prefix) or a control character would reach outside the language folder or
// name no file, so it is never opened.
bool IsSafeLanguageName(const QString& name);

// The "Language" folder of the program folder, found without regard to case; empty when
// there is none. An exact "Language" wins over other spellings.
QString LanguageFolder(const QString& programFolder);

// The existing file of a language, found without regard to case; empty when the name is
// not safe or no such file exists.
QString LanguageFilePath(const QString& programFolder, const QString& name);

// Where the file of a language would be: for messages about a missing file.
QString ExpectedLanguageFilePath(const QString& programFolder, const QString& name);

// The languages whose files lie in the program's language folder, sorted without regard
// to case; names that are not safe are left out, as they could never be opened.
QStringList ListLanguageNames(const QString& programFolder);

// Why the texts of a language could not be loaded.
struct LanguageLoadError {
    QString path;
    QString reason;
    // English, for the message dialog: no language text says this.
    QString message() const;
};

// Eighty-five lines of text come nowhere near it; anything larger is not a language file.
inline constexpr qint64 kMaxLanguageFileBytes = 1024 * 1024;

// Reads the file of the language into a fresh table; nothing is changed on failure. Only
// a regular file of at most kMaxLanguageFileBytes is read: a pipe, a device or an
// oversized file in its place is refused with the reason, without waiting or filling
// memory.
std::variant<LanguageTexts, LanguageLoadError> LoadLanguageTexts(const QString& programFolder,
                                                                 const QString& name);

}  // namespace mertano
