// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "calc/field_ops.h"

namespace mertano {

struct Measurements;

// Fields whose shown value is the typed one, and their angle boxes with them: the solver
// wrote the figure's own value, which fits the typed one within its rounding.
struct KeptValues {
    FieldMask fields = 0;
    const Measurements* typed = nullptr;
};

// What a solver wrote, held back until the calculation knows that the figure is real:
// a figure that cannot exist shows nothing, and of several tries only the chosen one
// reaches the fields. Reads go to the fields the calculation works on.
class RecordedOps : public FieldOps {
public:
    explicit RecordedOps(const FieldOps& fields) : fields_(&fields) {}

    std::string fieldText(Field f) const override { return fields_->fieldText(f); }
    long double fieldValue(Field f) const override { return fields_->fieldValue(f); }
    void setFieldValue(Field f, long double value) override;
    void setOutputText(Output o, const std::string& text) override;
    std::string unitText() const override { return fields_->unitText(); }
    std::optional<ShapeKind> selectedShape() const override { return fields_->selectedShape(); }
    void setEnabled(Control c, bool enabled) override;
    // The solvers show no message of their own.
    void showMessage(const std::string&) override {}
    // The mass is worked out when the writes reach the fields: only the window knows the
    // material.
    void computeMass(long double volume, long double&) override;

    // The first field written with a value beyond what a field holds.
    std::optional<Field> beyondLimit() const;
    // The value last written to a field, if any.
    std::optional<long double> written(Field f) const {
        if ((writtenFields_ & FieldBit(f)) == 0) return std::nullopt;
        return fieldValues_[FieldIndex(f)];
    }

    // Writes everything to `ops` in the order the solver wrote it. Returns the volume
    // handed to the mass, if the solver asked for one; the material factor is set by it.
    std::optional<long double> replay(FieldOps& ops, long double& massFactor,
                                      const KeptValues& keep = {}) const;

private:
    enum class Kind : std::uint8_t { FieldValue, OutputText, Enabled, Mass };
    struct Write {
        Kind kind;
        std::uint8_t target;
    };
    void add(Kind kind, int target);

    const FieldOps* fields_;
    // Each target keeps its last value; the order of the writes is kept apart, small,
    // as a solver writes a few dozen values at most (a calculation tries many).
    // Left unset where nothing was written: only the counted and the flagged are read.
    std::array<Write, 64> order_;
    std::size_t count_ = 0;
    std::array<long double, kFieldCount> fieldValues_;
    FieldMask writtenFields_ = 0;
    std::optional<Field> beyondLimit_;
    std::array<std::string, kOutputCount> texts_;
    std::array<bool, kControlCount> enabled_{};
    long double massVolume_ = 0;
};

}  // namespace mertano
