// Readable names for the cases of parameterised suites, made from the words of their tables.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

namespace brindora::testing {

// "Slovenia over Italy" -> "SloveniaOverItaly": letters, digits and '_' are kept, every other
// character starts a new word.
std::string caseName(std::string_view words);

// A row of a table of cases, known by its name, the table's first column: a case struct
// derives from it, and a failure message then shows the case by that name.
struct NamedCase {
    const char* name;
};
// The one printer of every named case (found by GoogleTest through the base class).
std::ostream& operator<<(std::ostream& os, const NamedCase& c);

// Names each case after its parameter's `name` field.
struct ByName {
    template <typename Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
        return caseName(info.param.name);
    }
};

} // namespace brindora::testing
