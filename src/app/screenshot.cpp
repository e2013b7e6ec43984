// SPDX-License-Identifier: GPL-3.0-or-later
#include "screenshot.h"

#include <QApplication>
#include <QPixmap>

#include "app/figure_button.h"
#include "app/fo_form.h"
#include "widgets/float_edit.h"

namespace mertano {

bool SaveSolvedScreenshot(TFoForm& form, const QString& path) {
    QApplication::processEvents();
    form.figureButton(ShapeKind::Cone)->click();
    form.SugarEdit->setValue(3.0L);
    form.MagasEdit1->setValue(4.0L);
    form.SzamolBtnClick();
    QApplication::processEvents();
    return form.grab().save(path);
}

}  // namespace mertano
