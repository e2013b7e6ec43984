#pragma once

// Each test class registers itself; one program per folder runs them all.
#include <QObject>
#include <functional>
#include <vector>

namespace mertano::test {

using TestFactory = std::function<QObject*()>;
std::vector<TestFactory>& Registry();

template <class T>
struct Register {
    Register() { Registry().push_back([] { return new T; }); }
};

}  // namespace mertano::test

#define MERTANO_REGISTER_TEST(Class) static const mertano::test::Register<Class> registered##Class;
