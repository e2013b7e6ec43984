// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "calc/field_ops.h"
#include "calc/numbers.h"

namespace mertano {

// The fields of the main window held in memory: what the command line and the engine
// tests calculate on. Fields show "." as decimal separator.
class FieldSheet : public FieldOps {
public:
    FieldSheet();

    // Lays out a figure as choosing it does: every field 0, results and angles empty,
    // inputs enabled, both buttons disabled.
    void choose(std::optional<ShapeKind> shape);

    void setFieldText(Field field, std::string text);
    void setUnitText(std::string unit) { unit_ = std::move(unit); }

    const std::string& output(Output o) const { return outputs_[OutputIndex(o)]; }
    // The texts of fieldText and unitText without a copy.
    const std::string& field(Field f) const;
    const std::string& unit() const { return unit_; }
    bool enabled(Control c) const { return enabled_[static_cast<int>(c)]; }
    const std::vector<std::string>& messages() const { return messages_; }

    // Final, so that a sheet used as itself (as the command line's wrapper uses it) calls
    // these directly: the calculate command reads every field.
    std::string fieldText(Field f) const final { return field(f); }
    long double fieldValue(Field f) const final {
        const std::optional<long double>& value = values_[FieldIndex(f)];
        return value ? *value : readValue(f);
    }
    void setFieldValue(Field field, long double value) final;
    void setOutputText(Output output, const std::string& text) final;
    std::string unitText() const override { return unit_; }
    std::optional<ShapeKind> selectedShape() const override { return shape_; }
    void setEnabled(Control control, bool enabled) override;
    void showMessage(const std::string& text) override { messages_.push_back(text); }
    // Without a material the mass text stays as it is.
    void computeMass(long double, long double&) override {}

private:
    long double readValue(Field f) const;

    // A field set to a value shows its text, and reads its value, only when asked: the
    // solver sets many fields that are set again, never read or never shown. Each bit of
    // textDue_ says the field's text is still to be written from the value in setTo_.
    mutable std::array<std::string, kFieldCount> fields_;
    mutable std::uint32_t textDue_ = 0;
    std::array<long double, kFieldCount> setTo_{};
    // Each field's text as the calculate command reads it, worked out when first asked
    // for and kept beside the text: batch work would otherwise read every field of every
    // line back from its text.
    mutable std::array<std::optional<long double>, kFieldCount> values_{};
    std::uint32_t changed_ = 0;  // the fields set since the figure was chosen, one bit each
    std::array<std::string, kOutputCount> outputs_;
    std::array<bool, kControlCount> enabled_{};
    std::string unit_ = "mm";
    std::optional<ShapeKind> shape_;
    std::vector<std::string> messages_;
};

}  // namespace mertano
