// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_actions.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

#include "system/links.h"

namespace mertano {

bool DesktopActions::openUrl(const QUrl& url, const QString& browserCommand) {
    if (!browserCommand.isEmpty() && url.scheme() != "mailto") {
        return QProcess::startDetached(browserCommand, {url.toString(QUrl::FullyEncoded)});
    }
    return QDesktopServices::openUrl(url);
}

bool DesktopActions::startCalculator() {
    const QString program =
        CalculatorProgram([](const QString& name) { return QStandardPaths::findExecutable(name); });
    if (program.isEmpty()) return false;
#ifdef Q_OS_MACOS
    return QProcess::startDetached("open", {program});
#else
    return QProcess::startDetached(program, {});
#endif
}

}  // namespace mertano
