// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A broken property stops the run the way a crash does, so libFuzzer keeps the input
// and the corpus replay fails on it.

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace mertano::fuzz {

[[noreturn]] inline void Fail(std::string_view what, std::string_view detail = {}) {
    std::fprintf(stderr, "property broken: %.*s [%.*s]\n", int(what.size()), what.data(),
                 int(detail.size()), detail.data());
    std::abort();
}

inline void Check(bool holds, std::string_view what, std::string_view detail = {}) {
    if (!holds) Fail(what, detail);
}

}  // namespace mertano::fuzz
