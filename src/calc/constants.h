// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The extended constants are written out in full so that every build reads the same
// 80-bit values, whatever the compiler's own pi or folding would give.
namespace mertano {

inline constexpr long double kPi = 3.14159265358979323851L;
inline constexpr long double kTwoPi = 6.28318530717958647703L;
inline constexpr long double kFourPi = 12.5663706143591729541L;
inline constexpr long double kFourPiThirds = 4.18879020478639098454L;
inline constexpr long double kPiThirds = 1.04719755119659774613L;
inline constexpr long double kPiSixths = 0.523598775598298873067L;
inline constexpr long double kDegToRad = 0.0174532925199432957691L;
inline constexpr long double kRadToDeg = 180.0L / kPi;

// The numeric edits of the main window: 4 decimals, 0 to 100000.
inline constexpr int kFieldDigits = 4;
inline constexpr long double kFieldMin = 0.0L;
inline constexpr long double kFieldMax = 100000.0L;

}  // namespace mertano
