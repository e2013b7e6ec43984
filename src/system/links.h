// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>

namespace mertano {

// The page of the website for the current language: only http and https addresses are
// ever handed on, so a website.url cannot make the program open local files or programs.
std::optional<QUrl> WebsitePageUrl(const QString& website, const QString& languageName);

// A mail address looks like one: one "@" with text on both sides, and only letters,
// digits and . _ + - ' (no blanks, control characters, or ? & # that would change the
// link).
bool LooksLikeMailAddress(const QString& address);
// The e-mail link, percent-encoded; an address that does not look like one is left
// out, so the mail program opens with the subject alone.
QUrl MailUrl(const QString& address, const QString& subject);

// The calculator programs looked for, in the order they are tried.
QStringList CalculatorCandidates();
// The first calculator program this desktop has; empty when there is none.
// `find` looks a program name up on the search path.
QString CalculatorProgram(const std::function<QString(const QString&)>& find);

}  // namespace mertano
