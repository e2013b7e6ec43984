// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Each test class registers itself; one program per folder runs them all.
#include <QObject>
#include <functional>
#include <vector>

namespace mertano::test {

struct TestEntry {
    const char* name;
    std::function<QObject*()> make;
};
std::vector<TestEntry>& Registry();

template <class T>
struct Register {
    explicit Register(const char* name) { Registry().push_back({name, [] { return new T; }}); }
};

}  // namespace mertano::test

#define MERTANO_REGISTER_TEST(Class) \
    static const mertano::test::Register<Class> registered##Class(#Class);
