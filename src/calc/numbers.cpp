#include "numbers.h"

#include <charconv>
#include <cmath>
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

// Checks the grammar by hand: from_chars alone would also take "inf", "nan" and
// would refuse a leading plus sign.
bool IsDecimalNumber(std::string_view s, bool* negativeExponent) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t mantissaDigits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++mantissaDigits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++mantissaDigits;
    }
    if (mantissaDigits == 0) return false;
    *negativeExponent = false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) *negativeExponent = s[i++] == '-';
        std::size_t exponentDigits = 0;
        while (i < s.size() && IsDigit(s[i])) ++i, ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    return i == s.size();
}

// The 18 significant digits of |x| and the decimal exponent of the first one.
void SignificantDigits(long double x, std::string& digits, int& exponent) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific,
                             kSignificantDigits - 1);
    std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));  // d.ddd...e+XX
    const std::size_t e = s.find('e');
    digits.clear();
    for (char c : s.substr(0, e)) {
        if (c != '.') digits.push_back(c);
    }
    exponent = 0;
    std::from_chars(s.data() + e + 1 + (s[e + 1] == '+' ? 1 : 0), s.data() + s.size(), exponent);
}

std::string ScientificText(bool negative, std::string digits, int exponent) {
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out = negative ? "-" : "";
    out += digits.substr(0, 1);
    if (digits.size() > 1) out += "." + digits.substr(1);
    out += "E+" + std::to_string(exponent);
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
    bool negativeExponent = false;
    if (!IsDecimalNumber(s, &negativeExponent)) return std::nullopt;
    if (s.front() == '+') s.remove_prefix(1);
    long double value = 0.0L;
    auto res = std::from_chars(s.data(), s.data() + s.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        if (negativeExponent) return 0.0L;  // too small to hold: it is zero
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
    const bool negative = std::signbit(x);
    std::string sig;
    int exponent = 0;
    if (x == 0.0L) {
        sig.assign(kSignificantDigits, '0');
    } else {
        SignificantDigits(x, sig, exponent);
    }
    if (exponent >= kSignificantDigits) return ScientificText(negative, sig, exponent);

    // s holds the integer digits (at least one) followed by the fraction digits.
    int intDigits = exponent + 1;
    std::string s = sig;
    if (intDigits <= 0) {
        s.insert(0, static_cast<std::size_t>(1 - intDigits), '0');
        intDigits = 1;
    }
    const std::size_t keep = static_cast<std::size_t>(intDigits + digits);
    if (s.size() > keep) {
        const bool roundUp = s[keep] >= '5';
        s.resize(keep);
        if (roundUp) {
            std::size_t i = keep;
            while (i > 0 && s[i - 1] == '9') s[--i] = '0';
            if (i == 0) {
                s.insert(s.begin(), '1');
                ++intDigits;
            } else {
                ++s[i - 1];
            }
        }
    } else {
        s.append(keep - s.size(), '0');
    }
    std::string intPart = s.substr(0, static_cast<std::size_t>(intDigits));
    const std::string fraction = s.substr(static_cast<std::size_t>(intDigits));
    const std::size_t firstNonZero = intPart.find_first_not_of('0');
    intPart = firstNonZero == std::string::npos ? "0" : intPart.substr(firstNonZero);

    const bool isZero = intPart == "0" && fraction.find_first_not_of('0') == std::string::npos;
    std::string out = (negative && !isZero) ? "-" : "";
    out += intPart;
    if (digits > 0) out += "." + fraction;
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
