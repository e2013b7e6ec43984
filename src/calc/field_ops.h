// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "calc/field.h"
#include "calc/numbers.h"
#include "shapes/shape_kind.h"

namespace mertano {

// What the calculate command needs from whatever holds the fields: the main window,
// the command line and the tests each implement it.
class FieldOps {
public:
    virtual ~FieldOps() = default;

    virtual std::string fieldText(Field field) const = 0;
    // What the calculate command reads from a field: its text as ReadFieldText reads it.
    // A holder that already knows that value may give it without reading the text again.
    virtual long double fieldValue(Field field) const { return ReadFieldText(fieldText(field)); }
    // The numeric edit's value setter: held within the edit's limits, shown with its
    // decimals.
    virtual void setFieldValue(Field field, long double value) = 0;
    virtual void setOutputText(Output output, const std::string& text) = 0;
    // The text of the unit box, as it stands.
    virtual std::string unitText() const = 0;
    // The figure whose button is down, if any.
    virtual std::optional<ShapeKind> selectedShape() const = 0;
    virtual void setEnabled(Control control, bool enabled) = 0;
    // A warning with one OK button.
    virtual void showMessage(const std::string& text) = 0;
    // Shows the mass of a solid of this volume in the chosen material; sets the
    // material factor it works with.
    virtual void computeMass(long double volume, long double& massFactor) = 0;
};

}  // namespace mertano
