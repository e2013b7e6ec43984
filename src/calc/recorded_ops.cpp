// SPDX-License-Identifier: GPL-3.0-or-later
#include "recorded_ops.h"

#include <cmath>

#include "calc/measurements.h"
#include "calc/numbers.h"

namespace mertano {
namespace {

// The angle row and which of its three boxes an output is, for a kept angle field.
std::optional<long long> KeptAnglePart(Output o, const RecordedOps::Keep& keep) {
    if (!keep.typed) return std::nullopt;
    for (const AngleBoxes& boxes : kAngleBoxes) {
        if ((keep.fields & FieldBit(boxes.field)) == 0) continue;
        const AngleParts p = SplitAngle((*keep.typed).*MemberOf(boxes.field));
        if (o == boxes.degrees) return p.degrees;
        if (o == boxes.minutes) return p.minutes;
        if (o == boxes.seconds) return p.seconds;
    }
    return std::nullopt;
}

}  // namespace

void RecordedOps::setFieldValue(Field f, long double value) {
    writes_.push_back({Kind::FieldValue, FieldIndex(f), value, {}});
}

void RecordedOps::setOutputText(Output o, const std::string& text) {
    writes_.push_back({Kind::OutputText, OutputIndex(o), 0, text});
}

void RecordedOps::setEnabled(Control c, bool enabled) {
    writes_.push_back({Kind::Enabled, static_cast<int>(c), enabled ? 1.0L : 0.0L, {}});
}

void RecordedOps::computeMass(long double volume, long double&) {
    writes_.push_back({Kind::Mass, 0, volume, {}});
}

std::optional<Field> RecordedOps::beyondLimit() const {
    for (const Write& w : writes_) {
        if (w.kind == Kind::FieldValue && std::fabs(w.value) > kFieldMax)
            return static_cast<Field>(w.target);
    }
    return std::nullopt;
}

std::optional<long double> RecordedOps::written(Field f) const {
    std::optional<long double> value;
    for (const Write& w : writes_) {
        if (w.kind == Kind::FieldValue && w.target == FieldIndex(f)) value = w.value;
    }
    return value;
}

std::optional<long double> RecordedOps::replay(FieldOps& ops, long double& massFactor,
                                               const Keep& keep) const {
    std::optional<long double> massVolume;
    for (const Write& w : writes_) {
        switch (w.kind) {
            case Kind::FieldValue: {
                const auto f = static_cast<Field>(w.target);
                const bool kept = keep.typed && (keep.fields & FieldBit(f)) != 0;
                ops.setFieldValue(f, kept ? RoundTo4((*keep.typed).*MemberOf(f)) : w.value);
                break;
            }
            case Kind::OutputText: {
                const auto o = static_cast<Output>(w.target);
                if (const std::optional<long long> part = KeptAnglePart(o, keep)) {
                    ops.setOutputText(o, PadLeft(std::to_string(*part), 3));
                } else {
                    ops.setOutputText(o, w.text);
                }
                break;
            }
            case Kind::Enabled:
                ops.setEnabled(static_cast<Control>(w.target), w.value != 0.0L);
                break;
            case Kind::Mass:
                massVolume = w.value;
                ops.computeMass(w.value, massFactor);
                break;
        }
    }
    return massVolume;
}

}  // namespace mertano
