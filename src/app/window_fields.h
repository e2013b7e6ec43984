// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/field_ops.h"

namespace mertano {

class TFoForm;

// The calculate command's view of the main window.
class WindowFields : public FieldOps {
public:
    explicit WindowFields(TFoForm& form) : form_(form) {}

    std::string fieldText(Field field) const override;
    void setFieldValue(Field field, long double value) override;
    void setOutputText(Output output, const std::string& text) override;
    std::string unitText() const override;
    std::optional<ShapeKind> selectedShape() const override;
    void setEnabled(Control control, bool enabled) override;
    void showMessage(const std::string& text) override;
    void computeMass(long double volume, long double& massFactor) override;

private:
    TFoForm& form_;
};

}  // namespace mertano
