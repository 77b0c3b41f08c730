// Cases of parameterised tests that carry their own name: failure messages print it
// and each instance of the test is named after it.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace inkwarden_testing {

// The base of such a case; `what` is a valid test name (letters and digits).
struct NamedCase {
    const char* what;
};

inline std::ostream& operator<<(std::ostream& os, const NamedCase& c) {
    return os << c.what;
}

// The last argument of INSTANTIATE_TEST_SUITE_P for cases derived from NamedCase.
struct CaseName {
    template <typename Case> std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        return info.param.what;
    }
};

} // namespace inkwarden_testing
