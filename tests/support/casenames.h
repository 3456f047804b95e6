#pragma once
// Names of the cases of parametrized tests. ctest lists every case by its
// name and by how its parameter prints; a case type with a PrintTo of its
// own therefore lists readably and the same on every run, and
//   INSTANTIATE_TEST_SUITE_P(Group, Suite, Values(...), PrintedName{});
// names each case after that print.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

// A test-name part from a text: letters and digits kept, bytes above 127
// in hexadecimal (so that "ção" and "ÇÃO" stay apart), any run of other
// characters one '_'.
inline std::string TestNamePart(const std::string& text)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string part;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 128) {
            part += kHex[byte >> 4];
            part += kHex[byte & 15];
        } else if (std::isalnum(byte)) {
            part += c;
        } else if (!part.empty() && part.back() != '_') {
            part += '_';
        }
    }
    while (!part.empty() && part.back() == '_')
        part.pop_back();
    return part.empty() ? std::string("empty") : part;
}

struct PrintedName {
    template <typename T>
    std::string operator()(const ::testing::TestParamInfo<T>& info) const
    {
        return TestNamePart(::testing::PrintToString(info.param));
    }
};
