// SPDX-License-Identifier: GPL-3.0-or-later
#include "recorded_ops.h"

#include <cmath>
#include <stdexcept>

#include "calc/measurements.h"
#include "calc/numbers.h"

namespace mertano {
namespace {

// Which of its three boxes an output is, for an angle field that is kept.
std::optional<long long> KeptAnglePart(Output o, const KeptValues& keep) {
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

void RecordedOps::add(Kind kind, int target) {
    // A solver writes each value a bounded number of times; more is a slip in one.
    if (count_ == order_.size()) throw std::logic_error("a solver wrote more than it can");
    order_[count_++] = {kind, static_cast<std::uint8_t>(target)};
}

void RecordedOps::setFieldValue(Field f, long double value) {
    add(Kind::FieldValue, FieldIndex(f));
    fieldValues_[FieldIndex(f)] = value;
    writtenFields_ |= FieldBit(f);
    if (!beyondLimit_ && (value < kFieldMin || value > kFieldMax)) beyondLimit_ = f;
}

void RecordedOps::setOutputText(Output o, const std::string& text) {
    add(Kind::OutputText, OutputIndex(o));
    texts_[OutputIndex(o)] = text;
}

void RecordedOps::setEnabled(Control c, bool enabled) {
    add(Kind::Enabled, static_cast<int>(c));
    enabled_[static_cast<int>(c)] = enabled;
}

void RecordedOps::computeMass(long double volume, long double&) {
    add(Kind::Mass, 0);
    massVolume_ = volume;
}

std::optional<Field> RecordedOps::beyondLimit() const {
    return beyondLimit_;
}

std::optional<long double> RecordedOps::replay(FieldOps& ops, long double& massFactor,
                                               const KeptValues& keep) const {
    std::optional<long double> massVolume;
    for (std::size_t k = 0; k < count_; ++k) {
        const Write w = order_[k];
        switch (w.kind) {
            case Kind::FieldValue: {
                const auto f = static_cast<Field>(w.target);
                const bool kept = keep.typed && (keep.fields & FieldBit(f)) != 0;
                ops.setFieldValue(
                    f, kept ? RoundTo4((*keep.typed).*MemberOf(f)) : fieldValues_[w.target]);
                break;
            }
            case Kind::OutputText: {
                const auto o = static_cast<Output>(w.target);
                if (const std::optional<long long> part =
                        keep.typed ? KeptAnglePart(o, keep) : std::nullopt) {
                    ops.setOutputText(o, PadLeft(std::to_string(*part), 3));
                } else {
                    ops.setOutputText(o, texts_[w.target]);
                }
                break;
            }
            case Kind::Enabled:
                ops.setEnabled(static_cast<Control>(w.target), enabled_[w.target]);
                break;
            case Kind::Mass:
                massVolume = massVolume_;
                ops.computeMass(massVolume_, massFactor);
                break;
        }
    }
    return massVolume;
}

}  // namespace mertano
