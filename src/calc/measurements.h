// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/field.h"

namespace mertano {

// The working values of one calculation, in extended precision. A measurement is
// given when it is greater than 0.
struct Measurements {
    long double a = 0, b = 0, c = 0;
    long double alfa = 0, beta = 0, gamma = 0;
    long double ma = 0, mb = 0, mc = 0;
    long double r = 0, d = 0, i = 0, h = 0, R = 0;
    long double perimeter = 0, area = 0, surface = 0, volume = 0;
    long double degrees = 0, minutes = 0, seconds = 0;
    long double massFactor = 0;
};

inline bool Given(long double x) {
    return x > 0.0L;
}

// The working value a field is read into.
constexpr long double Measurements::*MemberOf(Field f) {
    constexpr long double Measurements::*kMembers[kFieldCount] = {
        &Measurements::a,    &Measurements::b,     &Measurements::c,  &Measurements::alfa,
        &Measurements::r,    &Measurements::d,     &Measurements::i,  &Measurements::h,
        &Measurements::beta, &Measurements::gamma, &Measurements::ma, &Measurements::mb,
        &Measurements::mc,   &Measurements::R,
    };
    return kMembers[FieldIndex(f)];
}

}  // namespace mertano
