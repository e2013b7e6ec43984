// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/file_choice.h"

#include <QFileDialog>

namespace mertano {

QString ChooseFile(QWidget* parent, const FileChoice& choice) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(choice.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(choice.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(choice.filter);
    dialog.setDefaultSuffix(choice.suffix);
    if (!choice.folder.isEmpty()) dialog.setDirectory(choice.folder);
    if (!choice.name.isEmpty()) dialog.selectFile(choice.name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

}  // namespace mertano
