// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_identity.h"

#include <QApplication>

namespace mertano {

QString ApplicationId() {
    return QStringLiteral(MERTANO_APP_ID);
}

QList<int> WindowIconSizes() {
    return {16, 24, 32, 48, 64};
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (const int size : WindowIconSizes())
        icon.addFile(QStringLiteral(":/mertano/icons/%1.png").arg(size), QSize(size, size));
    return icon;
}

void ApplyApplicationIdentity() {
    QGuiApplication::setDesktopFileName(ApplicationId());
}

void ApplyApplicationIcon() {
    QApplication::setWindowIcon(ApplicationIcon());
}

}  // namespace mertano
