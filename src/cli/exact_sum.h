// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace mertano::cli {

// A total of decimal texts with `decimals` places, as the answers write them, added up
// exactly in units of the last decimal, so that it is the same however the texts were
// split between threads and in whatever order they came; only a text it cannot read or
// a sum beyond 128 bits falls back to floating point.
class ExactSum {
public:
    explicit ExactSum(int decimals) : decimals_(decimals) {}
    void add(std::string_view text);
    void merge(const ExactSum& other);
    // With `decimals` places ("12.50"); empty when nothing was added.
    std::string text() const;
    bool any() const { return any_; }

private:
    int decimals_;
    unsigned __int128 units_ = 0;
    long double approximate_ = 0;
    bool exact_ = true;
    bool any_ = false;
};

}  // namespace mertano::cli
