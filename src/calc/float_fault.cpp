// SPDX-License-Identifier: GPL-3.0-or-later
#include "float_fault.h"

namespace mertano {
namespace {

constexpr long double kTwoPow63 = 9223372036854775808.0L;

bool FitsInt64(long double x) { return x >= -kTwoPow63 && x < kTwoPow63; }

// A whole number that fits: llrint takes it as it is, where a cast would switch the x87
// rounding mode twice, which stalls the pipeline (angles split into three parts each).
std::int64_t WholeToInt64(long double whole) { return std::llrint(whole); }

}  // namespace

std::string_view FloatFaultText(FloatFault fault) {
    switch (fault) {
        case FloatFault::DivisionByZero:
            return "Floating point division by zero";
        case FloatFault::Overflow:
            return "Floating point overflow";
        case FloatFault::InvalidOperation:
            break;
    }
    return "Invalid floating point operation";
}

const char* FloatFaultError::what() const noexcept { return FloatFaultText(fault_).data(); }

void RaiseFloatFault(FloatFault fault) { throw FloatFaultError(fault); }

std::int64_t RoundToInt64(long double x) {
    // rint follows the default rounding mode, which ties to even.
    const long double r = std::rint(Checked(x));
    if (!FitsInt64(r)) RaiseFloatFault(FloatFault::InvalidOperation);
    return WholeToInt64(r);
}

std::int64_t TruncToInt64(long double x) {
    const long double t = std::trunc(Checked(x));
    if (!FitsInt64(t)) RaiseFloatFault(FloatFault::InvalidOperation);
    return WholeToInt64(t);
}

}  // namespace mertano
