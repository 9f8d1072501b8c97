// What the server reports as its own failure, and what it lets through as a fault of the program.

#include <components/middle_tier/middle_tier_support.h>

#include <gtest/gtest.h>

#include <new>
#include <regex>
#include <stdexcept>

namespace {

using client::middle_tier::Guarded;

int Failing(const std::function<void()>& fail) {
    return Guarded<int>("CGetICMOQuery.GetRs", [&] {
        fail();
        return 0;
    });
}

TEST(ServerFailures, RunTimeErrorsComeOutAsTheOperationsErrors) {
    struct Case {
        const char* what;
        std::function<void()> fail;
        int32_t number;
        std::string source;
    };
    const Case cases[] = {
        {"the database's error", [] { automation::Raise(3021, "adodb.Recordset", "no record"); },
         3021, "QzMICMOTrackQuery.CGetICMOQuery.GetRs\r\nadodb.Recordset"},
        {"a library's run-time error",
         [] { throw std::regex_error(std::regex_constants::error_stack); },
         automation::vberr::AutomationError, "QzMICMOTrackQuery.CGetICMOQuery.GetRs"},
    };
    for (const auto& c : cases) {
        try {
            Failing(c.fail);
            ADD_FAILURE() << c.what << " was not raised";
        } catch (const automation::RuntimeError& error) {
            EXPECT_EQ(error.Number(), c.number) << c.what;
            EXPECT_EQ(error.Source(), c.source) << c.what;
        }
    }
}

TEST(ServerFailures, FaultsOfTheProgramPassUnchanged) {
    EXPECT_THROW(Failing([] { throw std::out_of_range("index"); }), std::out_of_range);
    EXPECT_THROW(Failing([] { throw std::invalid_argument("stoi"); }), std::invalid_argument);
    EXPECT_THROW(Failing([] { throw std::bad_alloc(); }), std::bad_alloc);
}

}  // namespace
