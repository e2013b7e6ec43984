// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The fixed formats' rule worked out with whole numbers only, to hold the formatter
// against: the count of ten-thousandths is the extended product x * 10000 rounded to a
// whole number, halves to even, found from the product's bits; the two-decimal text
// rounds that count again by integer division. Good for 0 <= |x| < 2^63.

#include <cmath>
#include <cstdint>
#include <string>

namespace mertano::exact {

using Count = unsigned __int128;

inline Count TenThousandths(long double x) {
    const long double y = std::fabs(x) * 10000.0L;
    if (y == 0.0L) return 0;
    int e = 0;
    const long double f = std::frexp(y, &e);
    const auto m = static_cast<std::uint64_t>(std::ldexp(f, 64));  // y = m * 2^(e - 64)
    const int shift = e - 64;
    if (shift >= 0) return static_cast<Count>(m) << shift;
    if (shift < -100) return 0;  // y below 2^-36
    const int s = -shift;
    Count whole = s >= 128 ? 0 : static_cast<Count>(m) >> s;
    const Count rest = static_cast<Count>(m) - (whole << s);
    const Count half = static_cast<Count>(1) << (s - 1);
    if (rest > half || (rest == half && (whole & 1) != 0)) ++whole;
    return whole;
}

// Written from the end: the count in two halves below 10^19, each digit by digit.
inline std::string WithDecimals(bool negative, Count count, int decimals) {
    constexpr std::uint64_t kHalf = 10000000000000000000ULL;
    char buf[64];
    char* p = buf + sizeof buf;
    std::uint64_t low = static_cast<std::uint64_t>(count % kHalf);
    std::uint64_t high = static_cast<std::uint64_t>(count / kHalf);
    int written = 0;
    auto put = [&](char c) {
        *--p = c;
        if (++written == decimals) *--p = '.';
    };
    for (int k = 0; k < 19 && (low != 0 || high != 0 || written <= decimals); ++k) {
        put(static_cast<char>('0' + low % 10));
        low /= 10;
    }
    for (; high != 0; high /= 10) put(static_cast<char>('0' + high % 10));
    if (negative && count != 0) *--p = '-';
    return std::string(p, buf + sizeof buf);
}

// What FormatFixed(x, 4) and ResultText(x) (before its padding to 3 characters) must
// write: the count, and the count rounded again to hundredths.
struct Texts {
    std::string four;
    std::string two;
};

inline Texts FixedTexts(long double x) {
    const Count n = TenThousandths(x);
    Count hundredths = n / 100;
    const Count rest = n % 100;
    if (rest > 50 || (rest == 50 && (hundredths & 1) != 0)) ++hundredths;
    const bool negative = std::signbit(x);
    return {WithDecimals(negative, n, 4), WithDecimals(negative, hundredths, 2)};
}

}  // namespace mertano::exact
