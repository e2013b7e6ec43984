// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_fields.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "app/app_context.h"
#include "app/fo_form.h"
#include "materials/mass.h"
#include "widgets/float_edit.h"
#include "widgets/message_form.h"
#include "widgets/whole_text.h"

namespace mertano {

std::string WindowFields::fieldText(Field field) const {
    return form_.edit(field)->text().toStdString();
}

void WindowFields::setFieldValue(Field field, long double value) { form_.edit(field)->setValue(value); }

void WindowFields::setOutputText(Output output, const std::string& text) {
    SetWholeText(form_.output(output), QString::fromStdString(text));
}

std::string WindowFields::unitText() const { return form_.EgysegComboBox->currentText().toStdString(); }

std::optional<ShapeKind> WindowFields::selectedShape() const { return form_.selectedShape(); }

void WindowFields::setEnabled(Control control, bool enabled) {
    switch (control) {
        case Control::InputPanel: return form_.InputPanel->setEnabled(enabled);
        case Control::SzamolBtn: return form_.SzamolBtn->setEnabled(enabled);
        case Control::NyomtatBtn: return form_.NyomtatBtn->setEnabled(enabled);
    }
}

void WindowFields::showMessage(const std::string& text) {
    form_.showMessage(QString::fromStdString(text), static_cast<int>(MessageKind::Warning));
}

void WindowFields::computeMass(long double volume, long double& massFactor) {
    if (const std::optional<QString> mass =
            ComputeMass(form_.app_.materials.table(), form_.AnyagComboBox->currentText(),
                        form_.EgysegComboBox->currentText(), volume, massFactor)) {
        SetWholeText(form_.TomegText2, *mass);
    }
}

}  // namespace mertano
