// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup_values.h"

#include <algorithm>

#include <QFile>
#include <QSettings>
#include <QStringList>

namespace mertano {
namespace {

QString TrimControls(const QString& s) {
    qsizetype begin = 0, end = s.size();
    while (begin < end && s[begin].unicode() <= 32) ++begin;
    while (end > begin && s[end - 1].unicode() <= 32) --end;
    return s.mid(begin, end - begin);
}

}  // namespace

WebsiteAddresses ReadWebsiteUrl(const QString& text) {
    WebsiteAddresses found;
    QString normalised = text;
    normalised.replace("\r\n", "\n").replace('\r', '\n');
    for (const QString& line : normalised.split('\n')) {
        if (line.startsWith("URL=")) found.website = TrimControls(line.mid(4, 100));
        if (line.startsWith("E-mail:")) found.mail = TrimControls(line.mid(7, 50));
    }
    return found;
}

WebsiteAddresses ReadWebsiteUrlFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return ReadWebsiteUrl(QString::fromUtf8(file.readAll()));
}

QString BrowserProgramFromCommand(const QString& command) {
    QString result = command;
    if (qsizetype quote = result.indexOf('"'); quote >= 0) result.remove(quote, 1);
    if (qsizetype quote = result.indexOf('"'); quote >= 0) result.remove(quote, 50);
    return result;
}

QString SystemBrowserCommand() {
#ifdef Q_OS_WIN
    QSettings key("HKEY_CLASSES_ROOT\\htmlfile\\shell\\open\\command", QSettings::NativeFormat);
    if (key.contains(".")) return BrowserProgramFromCommand(key.value(".").toString());
#endif
    return {};
}

QPoint CentredPosition(const QSize& screen, const QSize& window) {
    return {screen.width() / 2 - window.width() / 2, screen.height() / 2 - window.height() / 2};
}

QPoint CentredPosition(const QRect& area, const QSize& window) {
    return area.topLeft() + CentredPosition(area.size(), window);
}

QPoint BottomRightPosition(const QRect& area, const QSize& window) {
    return {area.x() + area.width() - window.width(), area.y() + area.height() - window.height()};
}

QPoint KeptInside(const QRect& area, const QRect& window) {
    const int x =
        std::max(area.x(), std::min(window.x(), area.x() + area.width() - window.width()));
    const int y =
        std::max(area.y(), std::min(window.y(), area.y() + area.height() - window.height()));
    return {x, y};
}

QString VersionText(const QString& version) {
    QStringList parts = version.split('.');
    while (parts.size() < 3) parts << "0";
    return parts.mid(0, 3).join('.');
}

}  // namespace mertano
