// SPDX-License-Identifier: GPL-3.0-or-later
#include "field_sheet.h"

namespace mertano {

FieldSheet::FieldSheet() { choose(std::nullopt); }

void FieldSheet::choose(std::optional<ShapeKind> shape) {
    // Every field shows the same zero; batch work lays out a figure per line.
    static const std::string kZero = EditValueText(0.0L);
    static const long double kZeroValue = ReadFieldText(kZero);
    shape_ = shape;
    // Only the fields set since the last choice: batch work lays out a figure per line
    // and sets a few of its fields.
    for (int k = 0; k < kFieldCount; ++k) {
        if ((changed_ >> k & 1U) == 0 && !fields_[k].empty()) continue;
        fields_[k] = kZero;
        values_[k] = kZeroValue;
    }
    changed_ = 0;
    textDue_ = 0;
    for (std::string& o : outputs_) o.clear();
    enabled_ = {true, false, false};
    messages_.clear();
}

void FieldSheet::setFieldText(Field field, std::string text) {
    changed_ |= 1U << FieldIndex(field);
    textDue_ &= ~(1U << FieldIndex(field));
    values_[FieldIndex(field)].reset();
    fields_[FieldIndex(field)] = std::move(text);
}

long double FieldSheet::readValue(Field field) const {
    const int k = FieldIndex(field);
    const long double value =
        textDue_ >> k & 1U ? EditTextValue(setTo_[k]) : ReadFieldText(fields_[k]);
    values_[k] = value;
    return value;
}

void FieldSheet::setFieldValue(Field field, long double value) {
    const int k = FieldIndex(field);
    changed_ |= 1U << k;
    textDue_ |= 1U << k;
    setTo_[k] = value;
    values_[k].reset();
}

const std::string& FieldSheet::field(Field f) const {
    const int k = FieldIndex(f);
    if (textDue_ >> k & 1U) {
        fields_[k] = EditValueText(setTo_[k]);
        textDue_ &= ~(1U << k);
    }
    return fields_[k];
}

void FieldSheet::setOutputText(Output output, const std::string& text) {
    outputs_[OutputIndex(output)] = text;
}

void FieldSheet::setEnabled(Control control, bool enabled) {
    enabled_[static_cast<int>(control)] = enabled;
}

}  // namespace mertano
