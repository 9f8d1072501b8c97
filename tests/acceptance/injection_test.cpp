// Every text a user types, driven with a corpus of injection payloads: the filter box and the
// position box of both trackers, the bill list's search, --bills and --user. Whatever the text,
// no table changes and no result widens: a filter shows only what holds the text as typed, or
// says that nothing does; a number or user that does not exist is refused.

#include "host_runner.h"
#include "injection_payloads.h"

#include <support/database_contents.h>

#include <faces/text/command_source.h>

#include <platform/automation/strings.h>

#include <gtest/gtest.h>

#include <functional>
#include <regex>

namespace {

using namespace host_test;

// The numbers the navigation pane lists last: its lines below the title, the root left out.
std::vector<std::string> NavigationEntries(const std::string& output, const std::string& root) {
    const auto lines = Lines(output);
    size_t title = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("== " + root + "(", 0) == 0) title = i;
    }
    std::vector<std::string> entries;
    for (size_t i = title + 1; i < lines.size() && lines[i].rfind("==", 0) != 0; ++i) {
        const std::string entry = automation::TrimWhitespace(lines[i].substr(1));
        if (!entry.empty() && entry != root && entry.find('/') == std::string::npos) {
            entries.push_back(entry);
        }
    }
    return entries;
}

bool Holds(const std::string& text, const std::string& part) {
    return automation::UCase(text).find(automation::UCase(part)) != std::string::npos;
}

// The text of a payload as a script line can carry it: a line ends at its line break and holds no
// NUL, and the command and the text fit into the longest line (the host refuses any other line by
// its number).
bool FitsOnALine(const std::string& payload) {
    return payload.find_first_of(std::string("\n\r\0", 3)) == std::string::npos &&
           payload.size() + 64 <= textface::CommandSource::kMaxLineBytes;
}

class Injection : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string file = TempFile("injection.db").string();
        fs::copy_file(DemoFile(30), file, fs::copy_options::overwrite_existing);
        copy_ = std::make_unique<test_support::TestDatabase>(file);
        database_ = copy_->Name();
        // The window options a closing tracker saves are written by the first session already.
        RunScript(database_, "show\n", {"--bills", "WORK000001"});
        RunScript(database_, "show\n", {"--bills", "SEORD000001"}, RunHost, "seorder");
        before_ = trackquery::testing::TableContents(database_);
    }
    void TearDown() override {
        EXPECT_EQ(trackquery::testing::TableContents(database_), before_)
            << "a payload changed the database";
        copy_.reset();
    }

    // Runs `check` on the output of each payload's run.
    void ForEachPayload(const std::function<HostRun(const std::string&)>& run,
                        const std::function<void(const std::string&, const HostRun&)>& check) {
        size_t driven = 0;
        for (const auto& payload : InjectionPayloads()) {
            if (!FitsOnALine(payload)) continue;
            const HostRun result = run(payload);
            SCOPED_TRACE("payload \"" + payload.substr(0, 60) + "\"");
            check(payload, result);
            ++driven;
        }
        EXPECT_GE(driven, 50u);
    }

    std::unique_ptr<test_support::TestDatabase> copy_;
    std::string database_;
    std::map<std::string, std::string> before_;
};

TEST_F(Injection, TheTaskOrderFilterBoxShowsOnlyWhatHoldsTheText) {
    ForEachPayload(
        [&](const std::string& payload) {
            return RunScript(database_, "type bndfilter " + payload + "\nshow all\n",
                             {"--bills", "WORK000001"});
        },
        [](const std::string& payload, const HostRun& run) {
            if (run.Shows("没有单据号为") || run.Shows("选单号不能包含单引号") ||
                automation::TrimWhitespace(payload).empty()) {
                return;
            }
            ASSERT_EQ(run.exitCode, 0) << run.output.substr(0, 2000);
            for (const auto& bill : NavigationEntries(run.output, "生产任务单")) {
                EXPECT_TRUE(Holds(bill, payload)) << bill << " was listed";
            }
        });
}

TEST_F(Injection, TheSalesOrderFilterBoxShowsOnlyWhatHoldsTheText) {
    ForEachPayload(
        [&](const std::string& payload) {
            return RunScript(database_, "type bndfilter " + payload + "\nshow all\n", {}, RunHost,
                             "seorder");
        },
        [](const std::string& payload, const HostRun& run) {
            if (run.Shows("订单编号不存在") || run.Shows("单引号") ||
                automation::TrimWhitespace(payload).empty()) {
                return;
            }
            ASSERT_EQ(run.exitCode, 0) << run.output.substr(0, 2000);
            for (const auto& order : NavigationEntries(run.output, "销售订单")) {
                EXPECT_TRUE(Holds(order, payload)) << order << " was listed";
            }
        });
}

TEST_F(Injection, ThePositionBoxesOnlySearch) {
    for (const char* verb : {"icmo", "seorder"}) {
        const std::vector<std::string> args =
            std::string(verb) == "icmo" ? std::vector<std::string>{"--bills", "WORK000001"}
                                        : std::vector<std::string>{"--bills", "SEORD000001"};
        ForEachPayload(
            [&](const std::string& payload) {
                return RunScript(database_, "type bndSearch " + payload + "\n", args, RunHost,
                                 verb);
            },
            [](const std::string&, const HostRun& run) {
                EXPECT_FALSE(run.Shows("Task order tracking of") && run.exitCode > 1);
            });
    }
}

TEST_F(Injection, TheBillListSearchShowsOnlyWhatHoldsTheText) {
    const std::regex row(R"(^\s+\d+ \| \d+ \| ([^ |]+) \|)");
    ForEachPayload(
        [&](const std::string& payload) {
            return RunScript(database_, "key bndfilter F7\nsearch " + payload + "\ncancel\n",
                             {"--bills", "WORK000001"});
        },
        [&](const std::string& payload, const HostRun& run) {
            const std::string after = run.output.substr(run.output.rfind("> search"));
            for (const auto& line : Lines(after)) {
                std::smatch match;
                if (std::regex_search(line, match, row)) {
                    EXPECT_TRUE(Holds(match[1], payload)) << match[1] << " was listed";
                }
            }
        });
}

TEST_F(Injection, BillNumbersAndUserNamesOnTheCommandLineAreLookedUpNotRun) {
    ForEachPayload(
        [&](const std::string& payload) {
            return RunHost({"icmo", "--db", database_, "--bills", payload});
        },
        [](const std::string&, const HostRun& run) {
            EXPECT_NE(run.exitCode, 0);
            EXPECT_FALSE(run.Shows("Task order tracking of")) << run.output.substr(0, 500);
        });
    ForEachPayload(
        [&](const std::string& payload) {
            return RunHost({"seorder", "--db", database_, "--bills", payload});
        },
        [](const std::string&, const HostRun& run) {
            EXPECT_NE(run.exitCode, 0);
            EXPECT_FALSE(run.Shows("order tracking of")) << run.output.substr(0, 500);
        });
    ForEachPayload(
        [&](const std::string& payload) {
            return RunHost({"icmo", "--db", database_, "--user", payload});
        },
        [](const std::string&, const HostRun& run) {
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_TRUE(run.Shows("there is no user named")) << run.output.substr(0, 500);
        });
}

}  // namespace
