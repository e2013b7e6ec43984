// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/settle_dialogs.h"

#include <QInputDialog>
#include <QMessageBox>

namespace mertano {

void SettleDialogs::ShowError(const QString& message) {
    QString shown = message;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox::critical(nullptr, QStringLiteral("Error"), shown, QMessageBox::Ok);
}

QString SettleDialogs::AskLanguageName() {
    bool ok = false;
    const QString answer = QInputDialog::getText(
        nullptr, QString::fromLatin1(kConfigureLanguageTitle),
        QString::fromLatin1(kConfigureLanguagePrompt), QLineEdit::Normal, QString(), &ok);
    return ok ? answer : QString();
}

}  // namespace mertano
