// The client's procedure log.

#include <components/logging/proc_log.h>
#include <components/logging/register_logging.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>

namespace {

class ProcLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ::unsetenv(client::kProcLogEnvironmentVariable);
        client::SetProcedureLogFile("");
        file = std::filesystem::temp_directory_path() /
               ("trackquery-proc-" + std::to_string(::getpid()) + ".log");
        std::filesystem::remove(file);
    }
    void TearDown() override {
        client::SetProcedureLogFile("");
        ::unsetenv(client::kProcLogEnvironmentVariable);
        std::filesystem::remove(file);
    }
    std::vector<std::string> Lines() const {
        std::ifstream in(file);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    std::filesystem::path file;
};

TEST_F(ProcLogTest, WithoutALogFileTheLogIsDisabled) {
    client::ProcLog log;
    EXPECT_FALSE(log.IsEnabled());
}

TEST_F(ProcLogTest, TheEnvironmentOrTheHostNamesTheFile) {
    ::setenv(client::kProcLogEnvironmentVariable, file.c_str(), 1);
    EXPECT_TRUE(client::ProcLog().IsEnabled());
    EXPECT_EQ(client::ProcedureLogFile(), file);
    ::unsetenv(client::kProcLogEnvironmentVariable);
    client::SetProcedureLogFile(file);
    EXPECT_TRUE(client::ProcLog().IsEnabled());
}

TEST_F(ProcLogTest, AFileThatCannotBeWrittenDisablesTheLog) {
    client::SetProcedureLogFile("/nonexistent-folder/trackquery/proc.log");
    EXPECT_FALSE(client::ProcLog().IsEnabled());
}

TEST_F(ProcLogTest, EachEndedProcedureIsOneLine) {
    client::SetProcedureLogFile(file);
    auto log = automation::CreateObject<trackquery::IYqLogMsg>(
        (client::RegisterLoggingComponents(), trackquery::kYqLogMsgProgId));
    auto outer = log->LogStart("QzICMOTrackQuery.CICMOQuery.InitTrack");
    auto inner = log->LogStart("QzICMOTrackQuery.modTrackQuery.CallSelBill");
    EXPECT_NE(outer, inner);
    log->LogEnd(inner, 1);
    log->LogEnd(outer, 0);
    auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    std::regex shape(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}\t\d+\t(OK|FAILED)\t.+)");
    EXPECT_TRUE(std::regex_match(lines[0], shape)) << lines[0];
    EXPECT_TRUE(lines[0].ends_with("\tFAILED\tQzICMOTrackQuery.modTrackQuery.CallSelBill"));
    EXPECT_TRUE(lines[1].ends_with("\tOK\tQzICMOTrackQuery.CICMOQuery.InitTrack"));
}

TEST_F(ProcLogTest, AnUnknownHandleFailsAndWritesNothing) {
    client::SetProcedureLogFile(file);
    client::ProcLog log;
    EXPECT_THROW(log.LogEnd(int32_t(77), 0), automation::RuntimeError);
    auto handle = log.LogStart("A");
    log.LogEnd(handle, 0);
    EXPECT_THROW(log.LogEnd(handle, 0), automation::RuntimeError);
    EXPECT_EQ(Lines().size(), 1u);
}

}  // namespace
