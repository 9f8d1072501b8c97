// Many users on one server database: twenty `trackquery` programs track sales orders and save
// their options at the same time, two programs per user, against one PostgreSQL database. Every
// save must land whole (the options a user ends with are the ones both of that user's programs
// chose last) and no program may meet an error.

#include "host_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <thread>

extern char** environ;

namespace {

using namespace host_test;

constexpr int kUsers = 10;
constexpr int kProgramsPerUser = 2;
constexpr int kRounds = 12;
constexpr auto kTimeLimit = std::chrono::seconds(100);

std::string UserName(int user) { return "user" + std::to_string(user); }
int32_t UserId(int user) { return 30000 + user; }

// Each round tracks the order (every phase expanded) and saves the option dialog twice; the last
// save leaves ShowMO off for the odd users and on for the even ones.
std::string SessionScript(int user) {
    std::string script;
    for (int round = 0; round < kRounds; ++round) {
        script += "expand 2.1\nexpand 2.2\nexpand 2.3\nshow\n";
        script += "tool OrderSet\ncheck ShowMO off\nok\n";
        if (round + 1 < kRounds || user % 2 == 0) script += "tool OrderSet\ncheck ShowMO on\nok\n";
    }
    return script + "quit\n";
}

struct Program {
    pid_t pid = 0;
    int user = 0;
    fs::path script;
    fs::path output;
    int exitCode = -1;
};

Program Start(const std::string& database, const std::string& order, int user, int copy) {
    Program program;
    program.user = user;
    const std::string name = std::to_string(user) + "_" + std::to_string(copy);
    program.script = TempFile("concurrent_" + name + ".txt");
    const fs::path& script = program.script;
    std::ofstream(script) << SessionScript(user);
    program.output = TempFile("concurrent_" + name + ".out");

    const std::string binary = HostProgram().string();
    std::vector<std::string> args{binary,         "seorder", "--db", database,   "--user",
                                  UserName(user), "--bills", order,  "--script", script.string()};
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, program.output.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    EXPECT_EQ(posix_spawn(&program.pid, binary.c_str(), &actions, nullptr, argv.data(), environ),
              0);
    posix_spawn_file_actions_destroy(&actions);
    return program;
}

// Waits for every program until the time limit; those still running then are killed.
void WaitForAll(std::vector<Program>& programs) {
    const auto deadline = std::chrono::steady_clock::now() + kTimeLimit;
    size_t running = programs.size();
    while (running > 0) {
        for (auto& program : programs) {
            if (program.pid == 0) continue;
            int status = 0;
            if (::waitpid(program.pid, &status, WNOHANG) != program.pid) continue;
            program.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            program.pid = 0;
            --running;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            for (auto& program : programs) {
                if (program.pid == 0) continue;
                ::kill(program.pid, SIGKILL);
                ::waitpid(program.pid, nullptr, 0);
                ADD_FAILURE() << UserName(program.user) << " did not end within the time limit";
            }
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

TEST(ConcurrentSessions, TwentyProgramsTrackAndSaveOptionsOnOneServerDatabase) {
    if (!test_support::OnPostgres()) {
        GTEST_SKIP() << "PostgreSQL only: an SQLite file serves one machine's user";
    }
    const fs::path file = TempFile("concurrent.db");
    fs::copy_file(DemoFile(), file, fs::copy_options::overwrite_existing);
    const test_support::TestDatabase copy(file.string());
    const std::string& database = copy.Name();
    std::string users;
    for (int user = 1; user <= kUsers; ++user) {
        const std::string id = std::to_string(UserId(user));
        users += "INSERT INTO t_User (FUserID, FName) VALUES (" + id + ", '" + UserName(user) +
                 "'); INSERT INTO t_AccessRight SELECT FOwnerType, " + id +
                 ", FObjectType, FObjectID, FAccessMask FROM t_AccessRight WHERE FOwnerType = 0 "
                 "AND FOwnerID = 16394;";
    }
    test_support::ExecuteSql(database, users);
    const std::string order = QueryText(
        database,
        "SELECT o.FBillNo FROM SEOrder o WHERE o.FClassTypeID = 0 AND o.FCheckerID > 0 AND "
        "o.FCancellation = 0 AND EXISTS (SELECT 1 FROM ICMO m WHERE m.FOrderInterID = "
        "o.FInterID) ORDER BY o.FBillNo LIMIT 1");
    ASSERT_FALSE(order.empty());

    std::vector<Program> programs;
    for (int copyOf = 0; copyOf < kProgramsPerUser; ++copyOf) {
        for (int user = 1; user <= kUsers; ++user) {
            programs.push_back(Start(database, order, user, copyOf));
        }
    }
    WaitForAll(programs);

    for (const auto& program : programs) {
        std::ifstream in(program.output);
        const std::string output{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(program.exitCode, 0) << UserName(program.user) << ":\n" << output;
        EXPECT_EQ(output.find("!!"), std::string::npos) << UserName(program.user) << ":\n"
                                                        << output;
        EXPECT_EQ(output.find("error:"), std::string::npos) << UserName(program.user) << ":\n"
                                                            << output;
        fs::remove(program.output);
        fs::remove(program.script);
    }
    const int64_t options = test_support::QueryNumber(
        database, "SELECT COUNT(*) FROM ICTrackOptionDef WHERE FOptionKey = 'QzSeorderTrack_81'");
    for (int user = 1; user <= kUsers; ++user) {
        const std::string mine =
            " FROM ICTrackOptionUser WHERE FOptionKey = 'QzSeorderTrack_81' "
            "AND FUserID = " +
            std::to_string(UserId(user));
        EXPECT_EQ(test_support::QueryNumber(database, "SELECT COUNT(*)" + mine), options)
            << UserName(user) << ": a save of the whole option set";
        EXPECT_EQ(
            test_support::QueryText(database, "SELECT FValue" + mine + " AND FKey = 'ShowMO'"),
            user % 2 == 0 ? "1" : "0")
            << UserName(user) << ": the last choice";
    }
}

}  // namespace
