// SPDX-License-Identifier: GPL-3.0-or-later
#include "links.h"

#include <QStringList>
#include <QUrlQuery>

namespace mertano {

std::optional<QUrl> WebsitePageUrl(const QString& website, const QString& languageName) {
    const QString page = languageName == "Hungarian" ? "/index.html" : "/indexeng.html";
    const QUrl url(website + page, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != "http" && scheme != "https") || url.host().isEmpty()) {
        return std::nullopt;
    }
    return url;
}

bool LooksLikeMailAddress(const QString& address) {
    if (address.count('@') != 1) return false;
    const qsizetype at = address.indexOf('@');
    if (at == 0 || at == address.size() - 1) return false;
    // Characters that would end the address or start a header in a mail link are refused
    // along with blanks and control characters.
    for (QChar c : address) {
        if (c.isLetterOrNumber() || c == '@' || QStringLiteral("._+-'").contains(c)) continue;
        return false;
    }
    return true;
}

QUrl MailUrl(const QString& address, const QString& subject) {
    QUrl url;
    url.setScheme("mailto");
    if (LooksLikeMailAddress(address)) url.setPath(address);
    QUrlQuery query;
    // QUrlQuery leaves "&", "=" and "+" alone in values; they must not start new fields.
    QString safeSubject = subject;
    safeSubject.replace('%', "%25").replace('&', "%26").replace('=', "%3D").replace('+', "%2B");
    safeSubject.replace('\r', "%0D").replace('\n', "%0A").replace('#', "%23");
    query.addQueryItem("subject", safeSubject);
    url.setQuery(query);
    return url;
}

QStringList CalculatorCandidates() {
#if defined(Q_OS_WIN)
    return {QStringLiteral("calc.exe")};
#elif defined(Q_OS_MACOS)
    return {QStringLiteral("/System/Applications/Calculator.app")};
#else
    return {"gnome-calculator", "kcalc",     "qalculate-qt", "qalculate-gtk",
            "galculator",       "mate-calc", "xcalc"};
#endif
}

QString CalculatorProgram(const std::function<QString(const QString&)>& find) {
#if defined(Q_OS_MACOS)
    Q_UNUSED(find);
    return CalculatorCandidates().front();
#else
    for (const QString& name : CalculatorCandidates()) {
        if (QString path = find(name); !path.isEmpty()) return path;
    }
    return {};
#endif
}

}  // namespace mertano
