// SPDX-License-Identifier: GPL-3.0-or-later
// The number parser and the fixed formats. The input is read twice: as a text the
// parser may take, and (its first 10 bytes) as the bits of an extended value of any
// magnitude, NaN and infinity included.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "calc/numbers.h"
#include "exact_decimal.h"
#include "fuzz_check.h"

using namespace mertano;
using fuzz::Check;

namespace {

// Every text the formatter writes is read back by the parser as the value it names;
// the 4-decimal text of a value is that of the value it reads back as.
void CheckRoundTrip(long double x, std::string_view source) {
    const std::string four = FormatFixed(x, 4);
    const std::optional<long double> back = ParseNumber(four);
    Check(back.has_value(), "the parser takes what the formatter writes", four);
    Check(FormatFixed(*back, 4) == four, "formatting is stable through the parser", four);
    if (std::fabs(x) < 0x1p63L) {
        const exact::Texts expected = exact::FixedTexts(x);
        Check(four == expected.four, "4 decimals are the exact rounding", four);
        std::string two = ResultText(x);
        two.erase(0, two.find_first_not_of(' '));
        Check(two == expected.two, "2 decimals come from the exact 4", two);
    } else if (std::isfinite(x)) {
        // Whole already: its decimal digits are exact, so they read back as x itself.
        const std::string whole = FormatFixed(x, 0);
        Check(ParseNumber(whole) == x, "a whole value's digits are exact", source);
        Check(four == whole + ".0000", "a whole value has no fraction", four);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const std::optional<long double> value = ParseNumber(text)) {
        Check(std::isfinite(*value), "the parser gives only finite values", text);
        CheckRoundTrip(*value, text);
        // A field's value as the window keeps it: within its limits, 4 decimals.
        if (std::optional<long double> kept = AcceptEditText(text)) {
            Check(ParseNumber(EditValueText(*kept)) == *kept, "a kept value reads back", text);
        }
    }
    (void)ReadFieldText(text);
    if (size >= 10) {
        long double x = 0.0L;
        std::memcpy(&x, data, 10);
        CheckRoundTrip(std::isfinite(x) ? x : 0.0L, "bits");
        (void)RoundTo4(std::isfinite(x) && std::fabs(x) < 1e4000L ? x : 1.0L);
    }
    return 0;
}
