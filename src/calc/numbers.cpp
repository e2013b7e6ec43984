// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "float_fault.h"

namespace mertano {
namespace {

// The most decimals the fixed formats write: 2^63 * 10^18 still fits 128 bits.
constexpr int kMaxFixedDigits = 18;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.remove_suffix(1);
    return s;
}

// Powers of ten that a long double holds exactly (5^27 still fits its 64-bit mantissa).
constexpr long double kPow10[] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
    1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L,
};
constexpr int kMaxExactPow10 = 27;

// A decimal number split by the grammar check: sign, the mantissa's digits without
// the point, how many of them follow the point, and the exponent.
struct DecimalParts {
    bool negative = false;
    std::uint64_t mantissa = 0;  // valid while mantissaFits
    bool mantissaFits = true;
    int fractionDigits = 0;
    long exponent = 0;
    // The decimal exponent of the first digit that is not 0 (none: the value is 0).
    std::optional<long> leadExponent;
};

// Checks the grammar by hand: from_chars alone would also take "inf", "nan" and
// would refuse a leading plus sign.
bool SplitDecimal(std::string_view s, DecimalParts& parts) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) parts.negative = s[i++] == '-';
    std::size_t mantissaDigits = 0;
    long intDigits = 0;     // integer digits from the first that is not 0
    long leadingZeros = 0;  // zeros after the point before the first that is not 0
    auto takeDigit = [&parts](char c) {
        if (parts.mantissa > (UINT64_MAX - 9) / 10) parts.mantissaFits = false;
        parts.mantissa = parts.mantissa * 10 + static_cast<std::uint64_t>(c - '0');
    };
    bool seenNonZero = false;
    while (i < s.size() && IsDigit(s[i])) {
        seenNonZero = seenNonZero || s[i] != '0';
        if (seenNonZero) ++intDigits;
        takeDigit(s[i++]), ++mantissaDigits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            if (!seenNonZero && s[i] == '0') ++leadingZeros;
            seenNonZero = seenNonZero || s[i] != '0';
            takeDigit(s[i++]), ++mantissaDigits, ++parts.fractionDigits;
        }
    }
    if (mantissaDigits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) negativeExponent = s[i++] == '-';
        std::size_t exponentDigits = 0;
        while (i < s.size() && IsDigit(s[i])) {
            if (parts.exponent < 100000) parts.exponent = parts.exponent * 10 + (s[i] - '0');
            ++i, ++exponentDigits;
        }
        if (exponentDigits == 0) return false;
        if (negativeExponent) parts.exponent = -parts.exponent;
    }
    if (seenNonZero)
        parts.leadExponent = parts.exponent + (intDigits > 0 ? intDigits - 1 : -leadingZeros - 1);
    return i == s.size();
}

// One exact operation on exact operands is correctly rounded, so small mantissas with
// small exponents need no general conversion.
std::optional<long double> FastDecimal(const DecimalParts& parts) {
    if (!parts.mantissaFits) return std::nullopt;
    const long scale = parts.exponent - parts.fractionDigits;
    if (scale < -kMaxExactPow10 || scale > kMaxExactPow10) return std::nullopt;
    const long double m = static_cast<long double>(parts.mantissa);
    const long double v = scale < 0 ? m / kPow10[-scale] : m * kPow10[scale];
    return parts.negative ? -v : v;
}

// Decimal digits of a non-negative whole number held in a long double, exact at every
// magnitude: beyond 128 bits the value is its 64-bit mantissa times a power of two, which
// is multiplied out in base 10^9.
std::string WholeDigits(long double n) {
    char buf[48];
    if (n < 0x1p64L) {
        auto res = std::to_chars(buf, buf + sizeof buf, static_cast<std::uint64_t>(n));
        return std::string(buf, res.ptr);
    }
    if (n < 0x1p127L) {
        // Two halves below 10^19, so the digits come from 64-bit divisions.
        constexpr std::uint64_t kHalf = 10000000000000000000ULL;
        const auto v = static_cast<unsigned __int128>(n);
        const auto high = static_cast<std::uint64_t>(v / kHalf);
        const auto low = static_cast<std::uint64_t>(v % kHalf);
        std::string out(buf, std::to_chars(buf, buf + sizeof buf, high).ptr);
        const char* lowEnd = std::to_chars(buf, buf + sizeof buf, low).ptr;
        out.append(static_cast<std::size_t>(19 - (lowEnd - buf)), '0');
        out.append(buf, static_cast<std::size_t>(lowEnd - buf));
        return out;
    }
    int e = 0;
    const long double fraction = std::frexp(n, &e);  // n = fraction * 2^e, fraction in [0.5, 1)
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    int shift = e - 64;
    constexpr std::uint32_t kBase = 1000000000;
    std::vector<std::uint32_t> limbs;  // least significant first
    for (std::uint64_t m = mantissa; m != 0; m /= kBase) limbs.push_back(std::uint32_t(m % kBase));
    while (shift > 0) {
        const int step = std::min(shift, 32);
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs) {
            const std::uint64_t v = (std::uint64_t(limb) << step) + carry;
            limb = std::uint32_t(v % kBase);
            carry = v / kBase;
        }
        for (; carry != 0; carry /= kBase) limbs.push_back(std::uint32_t(carry % kBase));
        shift -= step;
    }
    std::string out = std::to_string(limbs.back());
    for (auto it = limbs.rbegin() + 1; it != limbs.rend(); ++it) {
        auto res = std::to_chars(buf, buf + sizeof buf, *it);
        out.append(9 - static_cast<std::size_t>(res.ptr - buf), '0');
        out.append(buf, res.ptr);
    }
    return out;
}

// How many units of 10^-digits a non-negative x holds, rounded with halves to even, as
// decimal digits. Below 2^63 the count is the rounded extended product, as the rounding
// rule of the fields names it, so a decimal half typed as such stays a half; from 2^63
// up a long double has no fraction and its count is exact.
std::string UnitCount(long double ax, int digits) {
    if (ax >= 0x1p63L) return WholeDigits(ax) + std::string(static_cast<std::size_t>(digits), '0');
    return WholeDigits(std::rint(ax * kPow10[digits]));
}

// Drops the last `drop` digits of a count, rounding halves to the even neighbour.
void DropDigits(std::string& count, int drop) {
    const auto places = static_cast<std::size_t>(drop);
    if (count.size() < places + 1) count.insert(0, places + 1 - count.size(), '0');
    const std::size_t keep = count.size() - places;
    const bool lastOdd = (count[keep - 1] - '0') % 2 == 1;
    const bool beyondHalf = count.find_first_not_of('0', keep + 1) != std::string::npos;
    const bool roundUp = count[keep] > '5' || (count[keep] == '5' && (beyondHalf || lastOdd));
    count.resize(keep);
    if (!roundUp) return;
    std::size_t i = keep;
    while (i > 0 && count[i - 1] == '9') count[--i] = '0';
    if (i == 0) {
        count.insert(0, 1, '1');
    } else {
        ++count[i - 1];
    }
}

// A count of 10^-digits units written in fixed notation.
std::string CountText(bool negative, std::string count, int digits) {
    const auto places = static_cast<std::size_t>(digits);
    if (count.size() < places + 1) count.insert(0, places + 1 - count.size(), '0');
    const bool isZero = count.find_first_not_of('0') == std::string::npos;
    if (digits > 0) count.insert(count.size() - places, 1, '.');
    if (negative && !isZero) count.insert(0, 1, '-');
    return count;
}

// A count of units that fits 64 bits, as most are: its text is written without building
// digit strings, and the number that text reads as is one exact division.
struct SmallCount {
    bool negative = false;
    std::uint64_t count = 0;
    int digits = 0;
};

// Counts below 10^18 keep every digit in the mantissa the reader gathers.
constexpr long double kSmallCountLimit = 1e18L;

// x (finite) in units of 10^-digits (0 to 18) as UnitCount rounds it, when the count is small.
std::optional<SmallCount> SmallUnitCount(long double x, int digits) {
    const long double units = std::fabs(x) * kPow10[digits];
    if (!(units < kSmallCountLimit)) return std::nullopt;
    // llrint rounds as rint does (halves to even) straight to a whole number, without
    // rounding in place first or switching the x87 rounding mode as a cast would.
    const long long count = std::llrint(units);
    if (count >= static_cast<long long>(kSmallCountLimit)) return std::nullopt;
    return SmallCount{std::signbit(x), static_cast<std::uint64_t>(count), digits};
}

// The text CountText writes for the count: at least one whole digit, the decimals, and a
// sign only when the count is not 0.
std::string SmallCountText(const SmallCount& c) {
    // Two digits at a time from the end: fields and results write thousands a second.
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    char buf[48];
    char* const end = buf + sizeof buf;
    char* p = end;
    std::uint64_t n = c.count;
    auto pair = [&p, &n] {
        p -= 2;
        std::memcpy(p, kPairs + 2 * (n % 100), 2);
        n /= 100;
    };
    int k = 0;
    for (; k + 2 <= c.digits; k += 2) pair();
    if (k < c.digits) {
        *--p = static_cast<char>('0' + n % 10);
        n /= 10;
    }
    if (c.digits > 0) *--p = '.';
    while (n >= 100) pair();
    if (n >= 10) {
        pair();
    } else {
        *--p = static_cast<char>('0' + n);
    }
    if (c.negative && c.count != 0) *--p = '-';
    return std::string(p, end);
}

// What ParseNumber reads from SmallCountText: the division its quick path makes.
long double SmallCountValue(const SmallCount& c) {
    // Below 10^18 the count converts as a signed number, in one instruction.
    const long double v =
        static_cast<long double>(static_cast<std::int64_t>(c.count)) / kPow10[c.digits];
    return c.negative && c.count != 0 ? -v : v;
}

}  // namespace

std::string CommaToPoint(std::string_view text) {
    std::string out(text);
    if (auto pos = out.find(','); pos != std::string::npos) out[pos] = '.';
    return out;
}

std::optional<long double> ParseNumber(std::string_view text) {
    std::string_view s = TrimBlanks(text);
    DecimalParts parts;
    if (!SplitDecimal(s, parts)) return std::nullopt;
    if (std::optional<long double> fast = FastDecimal(parts)) return fast;
    if (s.front() == '+') s.remove_prefix(1);
    long double value = 0.0L;
    auto res = std::from_chars(s.data(), s.data() + s.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Too small to hold is zero, however the text writes it ("1e-4941" or "0.000...1").
        if (parts.leadExponent && *parts.leadExponent < 0) return 0.0L;
        return std::nullopt;
    }
    if (res.ec != std::errc() || res.ptr != s.data() + s.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

long double ReadFieldText(std::string_view text) {
    return ParseNumber(CommaToPoint(text)).value_or(0.0L);
}

std::string FormatFixed(long double x, int digits) {
    if (!std::isfinite(x)) x = 0.0L;
    digits = std::clamp(digits, 0, kMaxFixedDigits);
    if (const std::optional<SmallCount> small = SmallUnitCount(x, digits)) {
        return SmallCountText(*small);
    }
    return CountText(std::signbit(x), UnitCount(std::fabs(x), digits), digits);
}

std::string PadLeft(std::string text, std::size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

long double RoundTo4(long double x) {
    if (std::fabs(Checked(x)) >= 0x1p63L) return x;  // no fraction left to round
    return std::rint(x * 10000.0L) / 10000.0L;
}

std::string ResultText(long double x) {
    Checked(x);  // a result without a real value is a fault, never a text
    if (std::optional<SmallCount> small = SmallUnitCount(x, 4)) {
        // The same two roundings on the whole count: halves of the dropped hundredths
        // go to the even neighbour. At least "0.00", so wide enough without padding.
        const std::uint64_t kept = small->count / 100, dropped = small->count % 100;
        small->count = kept + (dropped > 50 || (dropped == 50 && kept % 2 == 1) ? 1 : 0);
        small->digits = 2;
        return SmallCountText(*small);
    }
    // Rounded once to 4 decimals, then from that exact decimal to 2: the second
    // rounding sees the true fifth and sixth digits, never a binary neighbour of them.
    std::string count = UnitCount(std::fabs(x), 4);
    DropDigits(count, 2);
    return PadLeft(CountText(std::signbit(x), std::move(count), 2), 3);
}

long double ClampToLimits(long double x, const EditLimits& limits) {
    if (std::isnan(x)) return limits.min;
    if (x > limits.max) x = limits.max;
    if (x < limits.min) x = limits.min;
    return x;
}

std::string EditValueText(long double x, const EditLimits& limits) {
    return FormatFixed(ClampToLimits(x, limits), limits.digits);
}

long double EditTextValue(long double x, const EditLimits& limits) {
    x = ClampToLimits(x, limits);
    if (!std::isfinite(x)) x = 0.0L;
    if (const std::optional<SmallCount> small =
            SmallUnitCount(x, std::clamp(limits.digits, 0, kMaxFixedDigits))) {
        return SmallCountValue(*small);
    }
    return ReadFieldText(FormatFixed(x, limits.digits));
}

std::optional<long double> AcceptEditText(std::string_view text, const EditLimits& limits) {
    const std::optional<long double> value =
        TrimBlanks(text).empty() ? std::optional<long double>(limits.min) : ParseNumber(text);
    if (!value || *value < limits.min || *value > limits.max) return std::nullopt;
    if (const std::optional<SmallCount> small =
            SmallUnitCount(*value, std::clamp(limits.digits, 0, kMaxFixedDigits))) {
        return SmallCountValue(*small);
    }
    return ParseNumber(FormatFixed(*value, limits.digits));
}

namespace {

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    if (from.empty()) return text;
    for (std::size_t pos = text.find(from); pos != std::string::npos;
         pos = text.find(from, pos + to.size())) {
        text.replace(pos, from.size(), to);
    }
    return text;
}

}  // namespace

std::optional<std::string> SeparatorToPoint(std::string_view text, std::string_view separator) {
    if (separator == ".") return std::string(text);
    if (text.find('.') != std::string_view::npos) return std::nullopt;
    return ReplaceAll(std::string(text), separator, ".");
}

std::string PointToSeparator(std::string text, std::string_view separator) {
    if (separator == ".") return text;
    return ReplaceAll(std::move(text), ".", separator);
}

AngleParts SplitAngle(long double angle) {
    AngleParts p;
    p.degrees = TruncToInt64(angle);
    const long double minutes = Checked((angle - static_cast<long double>(p.degrees)) * 60.0L);
    p.minutes = TruncToInt64(minutes);
    p.seconds = TruncToInt64((minutes - static_cast<long double>(p.minutes)) * 60.0L);
    return p;
}

}  // namespace mertano
