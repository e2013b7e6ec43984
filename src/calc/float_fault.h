// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#include <string_view>

namespace mertano {

// Arithmetic that has no real result stops the calculate command; the caller gets the
// fault as a value and shows its text. Nothing non-finite ever reaches a field.
enum class FloatFault { InvalidOperation, DivisionByZero, Overflow };

std::string_view FloatFaultText(FloatFault fault);

class FloatFaultError : public std::exception {
public:
    explicit FloatFaultError(FloatFault fault) : fault_(fault) {}
    FloatFault fault() const { return fault_; }
    const char* what() const noexcept override;

private:
    FloatFault fault_;
};

[[noreturn]] void RaiseFloatFault(FloatFault fault);

// A computed value: infinity is an overflow, NaN an invalid operation.
inline long double Checked(long double x) {
    if (std::isnan(x)) RaiseFloatFault(FloatFault::InvalidOperation);
    if (std::isinf(x)) RaiseFloatFault(FloatFault::Overflow);
    return x;
}

inline long double Sqrt(long double x) {
    if (!(x >= 0.0L)) RaiseFloatFault(FloatFault::InvalidOperation);
    return Checked(std::sqrt(Checked(x)));
}

inline long double Div(long double a, long double b) {
    if (b == 0.0L) {
        RaiseFloatFault(a == 0.0L ? FloatFault::InvalidOperation : FloatFault::DivisionByZero);
    }
    return Checked(a / b);
}

// An argument of an arc sine or arc cosine that lies beyond +-1 by no more than the
// rounding of the arithmetic before it (an exact half disc gives -1 less two units in
// the last place) is +-1; one truly beyond stays beyond.
inline long double UnitArgument(long double x) {
    constexpr long double kSlack = 8 * std::numeric_limits<long double>::epsilon();
    if (x > 1.0L && x <= 1.0L + kSlack) return 1.0L;
    if (x < -1.0L && x >= -1.0L - kSlack) return -1.0L;
    return x;
}

// The root of a - b where a and b are two ways to the same quantity: a difference below
// 0 by no more than the rounding of a (a chord that is a diameter) is 0; one truly below
// stays the root of a negative number.
inline long double RootOfDifference(long double a, long double b) {
    constexpr long double kSlack = 8 * std::numeric_limits<long double>::epsilon();
    const long double d = Checked(a - b);
    if (d < 0.0L && -d <= kSlack * std::fabs(a)) return 0.0L;
    return Sqrt(d);
}

// Arc sine and arc cosine through atan2, in radians; truly beyond +-1 the root is of a
// negative number.
inline long double ArcSin(long double x) {
    x = UnitArgument(x);
    return std::atan2(x, Sqrt(1.0L - x * x));
}
inline long double ArcCos(long double x) {
    x = UnitArgument(x);
    return std::atan2(Sqrt(1.0L - x * x), x);
}

// Round to the nearest integer, exact halves to the even neighbour, into a signed
// 64-bit integer: a value outside its range is an invalid operation. The figures'
// rounding to 4 decimals does not come here (it has no such limit).
std::int64_t RoundToInt64(long double x);
// Whole part toward zero, through a signed 64-bit integer.
std::int64_t TruncToInt64(long double x);

}  // namespace mertano
