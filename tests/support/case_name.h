// Readable names for the cases of parameterised suites, made from the words of their tables.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace brindora::testing {

// "Slovenia over Italy" -> "SloveniaOverItaly": letters, digits and '_' are kept, every other
// character starts a new word.
std::string caseName(std::string_view words);

// Names each case after its parameter's `name` field.
struct ByName {
    template <typename Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
        return caseName(info.param.name);
    }
};

} // namespace brindora::testing
