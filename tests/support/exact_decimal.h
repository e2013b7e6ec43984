// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The fixed formats' rule worked out with whole numbers only, to hold the formatter
// against: the count of ten-thousandths is the extended product x * 10000 rounded to a
// whole number, halves to even, found from the product's bits; the two-decimal text
// rounds that count again by integer division. Good for 0 <= |x| < 2^63, on the x87
// extended format of x86.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace mertano::exact {

using Count = unsigned __int128;

// The x87 extended layout: a 64-bit mantissa with its leading bit, then a 15-bit
// exponent field biased by 16383 (0: denormal, scaled as field 1) and the sign.
inline long double FromBits(std::uint64_t mantissa, unsigned exponentField) {
    mantissa = exponentField == 0 ? mantissa >> 1 : mantissa | (1ULL << 63);
    unsigned char bytes[sizeof(long double)] = {};
    std::memcpy(bytes, &mantissa, 8);
    bytes[8] = static_cast<unsigned char>(exponentField & 0xff);
    bytes[9] = static_cast<unsigned char>((exponentField >> 8) & 0x7f);
    long double x;
    std::memcpy(&x, bytes, sizeof x);
    return x;
}

inline Count TenThousandths(long double x) {
    const long double y = std::fabs(x) * 10000.0L;  // the product the rule names
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &y, sizeof y);
    std::uint64_t m = 0;
    std::memcpy(&m, bytes, 8);
    const int field = bytes[8] | (bytes[9] & 0x7f) << 8;
    if (m == 0) return 0;
    const int shift = (field == 0 ? 1 : field) - 16383 - 63;  // y = m * 2^shift
    if (shift >= 0) return static_cast<Count>(m) << shift;
    if (shift < -100) return 0;  // y below 2^-36
    const int s = -shift;
    Count whole = static_cast<Count>(m) >> s;
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
