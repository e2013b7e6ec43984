// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "constants.h"

namespace mertano {

// The first comma becomes a point; later commas stay.
std::string CommaToPoint(std::string_view text);

// A decimal number with "." as separator: optional blanks around it, optional sign,
// digits with an optional fraction, optional exponent. Only finite numbers read;
// anything else (including "inf", "nan" and hexadecimal) gives nothing.
std::optional<long double> ParseNumber(std::string_view text);

// How the calculate command reads a field: through CommaToPoint, then as a number;
// an empty text, or one that is not a complete number, reads as 0.
long double ReadFieldText(std::string_view text);

// Fixed notation with exactly `digits` decimals (0 to 18) and "." as separator, whole
// at every magnitude: x times 10^digits rounded to a whole count with halves to the
// even neighbour, written exactly. A value that rounds to 0 shows no sign.
std::string FormatFixed(long double x, int digits);

// `text` padded on the left with blanks to at least `width` characters.
std::string PadLeft(std::string text, std::size_t width);

// x rounded to 4 decimals, halves to even, at every finite magnitude (from 2^63 up a
// long double holds no fraction, so it is its own rounding).
long double RoundTo4(long double x);

// A result: rounded to 4 decimals, then that exact decimal shown with 2 (halves to
// even again), at least 3 characters wide.
std::string ResultText(long double x);

// A numeric edit's limits. The main window's measurement fields use the defaults.
struct EditLimits {
    int digits = kFieldDigits;
    long double min = kFieldMin;
    long double max = kFieldMax;
};

// The value setter of the numeric edit: the value held within min and max and shown
// with the edit's decimals ("." as separator; the control puts its own separator in).
long double ClampToLimits(long double x, const EditLimits& limits);
std::string EditValueText(long double x, const EditLimits& limits = {});
// The value ReadFieldText reads back from EditValueText's text, worked out without the
// text: a field that is set is read far more often than it is shown.
long double EditTextValue(long double x, const EditLimits& limits = {});

// How the numeric edit takes a text ("." as separator) when the field is left: empty
// means min; a number outside min..max or a text that is no number is refused.
// Returns the value as the field then holds it (rounded to its decimals).
std::optional<long double> AcceptEditText(std::string_view text, const EditLimits& limits = {});

// A number text written with `separator` (UTF-8) as its decimal separator, moved to and
// from the "." form the rules above read and write. A text that also holds a "." when the
// separator is something else is no number of that form and gives nothing.
std::optional<std::string> SeparatorToPoint(std::string_view text, std::string_view separator);
std::string PointToSeparator(std::string text, std::string_view separator);

// Degrees, minutes and seconds of an angle, each truncated toward zero.
struct AngleParts {
    long long degrees = 0;
    long long minutes = 0;
    long long seconds = 0;
};
AngleParts SplitAngle(long double angle);

}  // namespace mertano
