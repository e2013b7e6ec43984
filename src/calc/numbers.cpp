// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <utility>

#include "float_fault.h"

namespace mertano {
namespace {

constexpr int kSignificantDigits = 18;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

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
};

// Checks the grammar by hand: from_chars alone would also take "inf", "nan" and
// would refuse a leading plus sign.
bool SplitDecimal(std::string_view s, DecimalParts& parts) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) parts.negative = s[i++] == '-';
    std::size_t mantissaDigits = 0;
    auto takeDigit = [&parts](char c) {
        if (parts.mantissa > (UINT64_MAX - 9) / 10) parts.mantissaFits = false;
        parts.mantissa = parts.mantissa * 10 + static_cast<std::uint64_t>(c - '0');
    };
    while (i < s.size() && IsDigit(s[i])) takeDigit(s[i++]), ++mantissaDigits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) takeDigit(s[i++]), ++mantissaDigits, ++parts.fractionDigits;
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

// The 18 significant digits of a positive x, correctly rounded, and the decimal
// exponent of the first; false when a single scaling cannot tell them for certain.
bool FastSignificantDigits(long double ax, char* digits, int& exponent) {
    if (!(ax >= 1e-9L && ax < 1e18L)) return false;
    int e = 0;
    if (ax >= 1.0L) {
        while (e < 17 && ax >= kPow10[e + 1]) ++e;
    } else {
        e = -1;
        while (e > -10 && ax * kPow10[-e] < 1.0L) --e;
    }
    const int k = kSignificantDigits - 1 - e;
    if (k < 0 || k > kMaxExactPow10) return false;
    // The product is below 2^60, so its rounding error is at most 1/32: away from a
    // half, rounding it gives the digits of the exact product.
    const long double p = ax * kPow10[k];
    auto n = static_cast<std::uint64_t>(p);  // truncates
    const long double fraction = p - static_cast<long double>(n);
    if (std::fabs(fraction - 0.5L) < 0.125L) return false;
    if (fraction > 0.5L) ++n;
    if (n < 100000000000000000ULL || n >= 1000000000000000000ULL) return false;
    for (int i = kSignificantDigits - 1; i >= 0; --i, n /= 10) digits[i] = char('0' + n % 10);
    exponent = e;
    return true;
}

}  // namespace

void SignificantDigits(long double x, char* digits, int& exponent) {
    const long double ax = std::fabs(x);
    if (FastSignificantDigits(ax, digits, exponent)) return;
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::scientific,
                             kSignificantDigits - 1);
    std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));  // d.ddd...e+XX
    const std::size_t e = s.find('e');
    int n = 0;
    for (char c : s.substr(0, e)) {
        if (c != '.') digits[n++] = c;
    }
    exponent = 0;
    std::from_chars(s.data() + e + 1 + (s[e + 1] == '+' ? 1 : 0), s.data() + s.size(), exponent);
}

namespace {

std::string ScientificText(bool negative, std::string_view digits, int exponent) {
    while (digits.size() > 1 && digits.back() == '0') digits.remove_suffix(1);
    std::string out = negative ? "-" : "";
    out += digits.front();
    if (digits.size() > 1) {
        out += '.';
        out.append(digits.substr(1));
    }
    out += "E+";
    out += std::to_string(exponent);
    return out;
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
        if (parts.exponent < 0) return 0.0L;  // too small to hold: it is zero
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
    digits = std::clamp(digits, 0, kSignificantDigits);
    const bool negative = std::signbit(x);
    char sig[kSignificantDigits];
    int exponent = 0;
    if (x == 0.0L) {
        std::fill(sig, sig + kSignificantDigits, '0');
    } else {
        SignificantDigits(x, sig, exponent);
    }
    if (exponent >= kSignificantDigits) {
        return ScientificText(negative, std::string_view(sig, kSignificantDigits), exponent);
    }

    // s holds the integer digits (at least one) followed by the fraction digits; the
    // extra leading place takes a carry.
    char s[2 * kSignificantDigits + 16];
    int len = 0;
    s[len++] = '0';
    int intDigits = exponent + 1;
    if (intDigits <= 0) {
        for (int k = 0; k < 1 - intDigits; ++k) s[len++] = '0';
        intDigits = 1;
    }
    for (char c : sig) s[len++] = c;
    ++intDigits;  // the carry place
    const int keep = intDigits + digits;
    if (len > keep) {
        // Halves go to the even neighbour, as the 4-decimal rounding of fields does:
        // 4.1450 shows as 4.14 and 4.1350 as 4.14.
        bool beyondHalf = false;
        for (int k = keep + 1; k < len; ++k) beyondHalf = beyondHalf || s[k] != '0';
        const bool lastOdd = (s[keep - 1] - '0') % 2 == 1;
        const bool roundUp = s[keep] > '5' || (s[keep] == '5' && (beyondHalf || lastOdd));
        len = keep;
        if (roundUp) {
            int i = keep - 1;
            while (s[i] == '9') s[i--] = '0';
            ++s[i];
        }
    } else {
        while (len < keep) s[len++] = '0';
    }
    int first = 0;
    while (first < intDigits - 1 && s[first] == '0') ++first;
    bool isZero = true;
    for (int k = first; k < len; ++k) isZero = isZero && s[k] == '0';

    std::string out;
    out.reserve(static_cast<std::size_t>(len - first + 2));
    if (negative && !isZero) out += '-';
    out.append(s + first, s + intDigits);
    if (digits > 0) {
        out += '.';
        out.append(s + intDigits, s + len);
    }
    return out;
}

std::string PadLeft(std::string text, std::size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

long double RoundTo4(long double x) {
    return static_cast<long double>(RoundToInt64(x * 10000.0L)) / 10000.0L;
}

std::string ResultText(long double x) { return PadLeft(FormatFixed(RoundTo4(x), 2), 3); }

long double ClampToLimits(long double x, const EditLimits& limits) {
    if (std::isnan(x)) return limits.min;
    if (x > limits.max) x = limits.max;
    if (x < limits.min) x = limits.min;
    return x;
}

std::string EditValueText(long double x, const EditLimits& limits) {
    return FormatFixed(ClampToLimits(x, limits), limits.digits);
}

std::optional<long double> AcceptEditText(std::string_view text, const EditLimits& limits) {
    const std::optional<long double> value =
        TrimBlanks(text).empty() ? std::optional<long double>(limits.min) : ParseNumber(text);
    if (!value || *value < limits.min || *value > limits.max) return std::nullopt;
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
