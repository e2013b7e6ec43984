// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lang/settle_language.h"

namespace mertano {

// The real boxes of settling: QMessageBox and QInputDialog, as no language texts exist
// yet for the program's own message dialog.
class SettleDialogs : public SettleInteraction {
public:
    void ShowError(const QString& message) override;
    QString AskLanguageName() override;
};

}  // namespace mertano
