// A password given to the program stays in its memory. While a session runs, the client's switch
// file sits in a folder only the user can enter and holds the database without the password;
// however the program ends (quit, a failed start, Ctrl-C, SIGTERM, SIGHUP, a closed pipe) that
// folder is gone, and no file under /tmp or the build tree written meanwhile holds the password.

#include "host_runner.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <random>
#include <thread>

namespace {

using namespace host_test;

struct Host {
    pid_t pid;
    int input;
    int output;
};

// The built program tracking `database`, started as a terminal starts it, a view shown.
Host Start(const std::string& database, const fs::path& runtime) {
    int in[2], out[2];
    EXPECT_EQ(::pipe2(in, O_CLOEXEC) | ::pipe2(out, O_CLOEXEC), 0);
    const std::string program = HostProgram().string();
    const Host host{::fork(), in[1], out[0]};
    if (host.pid == 0) {
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        ::dup2(out[1], 2);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) ::signal(signal, SIG_DFL);
        ::execl(program.c_str(), program.c_str(), "icmo", "--db", database.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    const std::string script = "select 2\nwait 600\nshow\n";
    EXPECT_GT(::write(host.input, script.data(), script.size()), 0);
    return host;
}

// What the program printed once it ended, and how it ended.
std::string Printed(const Host& host, int& status) {
    std::string printed;
    char buffer[4096];
    for (ssize_t read; (read = ::read(host.output, buffer, sizeof buffer)) > 0;) {
        printed.append(buffer, static_cast<size_t>(read));
    }
    ::waitpid(host.pid, &status, 0);
    ::close(host.output);
    return printed;
}

std::string FileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The client folders in `runtime`; with `wait`, waited for (30 s at most) until one holds the
// switch file.
std::vector<fs::path> ClientFolders(const fs::path& runtime, bool wait) {
    std::vector<fs::path> folders;
    for (int attempt = 0; attempt < 300; ++attempt) {
        folders.clear();
        for (const auto& entry : fs::directory_iterator(runtime)) folders.push_back(entry.path());
        if (!wait || (!folders.empty() && fs::exists(folders[0] / "ErpSwitch.sss"))) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return folders;
}

// Adds the regular files below `root` written since `since` that hold `text`.
void FilesHolding(const fs::path& root, const std::string& text, fs::file_time_type since,
                  std::vector<std::string>& found) {
    std::error_code error;
    for (fs::directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        const auto status = it->symlink_status(ignored);
        if (fs::is_directory(status)) {
            FilesHolding(it->path(), text, since, found);
        } else if (fs::is_regular_file(status) && it->last_write_time(ignored) >= since &&
                   it->file_size(ignored) < (64u << 20) &&
                   FileText(it->path()).find(text) != std::string::npos) {
            found.push_back(it->path().string());
        }
    }
}

TEST(Secrets, NoPasswordLandsInAFileHoweverTheSessionEnds) {
    const auto started = fs::file_time_type::clock::now() - std::chrono::seconds(2);
    const std::string password = "pw" + std::to_string(std::random_device()()) + "q";
    const std::string database =
        (test_support::OnPostgres() ? "Provider=PostgreSQL;Data Source=\"" : "Data Source=\"") +
        DemoDatabase() +
        (test_support::OnPostgres() ? "&password=" + password + "\"" : "\";Password=" + password);
    const fs::path runtime = TempFile("runtime");
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    const auto pipeBefore = ::signal(SIGPIPE, SIG_IGN);  // a program that ended closed its input

    for (const int signal : {0, -1, SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        SCOPED_TRACE(signal == 0 ? "quit" : signal < 0 ? "a failed start" : strsignal(signal));
        // A "}" cannot pass into the session's properties: the session fails to start.
        const Host host = Start(database + (signal < 0 ? ";Note=\"}\"" : ""), runtime);
        int status = 0;
        if (signal <= 0) {
            EXPECT_GT(::write(host.input, "quit\n", 5), 0);
            ::close(host.input);
            const std::string printed = Printed(host, status);
            EXPECT_NE(printed.find(signal == 0 ? "Task order tracking of" : "holds a \"}\""),
                      std::string::npos)
                << printed;
            EXPECT_EQ(printed.find(password), std::string::npos) << printed;
        } else {
            const auto folders = ClientFolders(runtime, true);
            ASSERT_EQ(folders.size(), 1u) << runtime;  // (the program ends with this test's input)
            EXPECT_EQ(fs::status(folders.front()).permissions(), fs::perms::owner_all);
            const fs::path switchFile = folders.front() / "ErpSwitch.sss";
            EXPECT_EQ(fs::status(switchFile).permissions(),
                      fs::perms::owner_read | fs::perms::owner_write);
            EXPECT_NE(FileText(switchFile).find("Data Source="), std::string::npos);
            EXPECT_EQ(FileText(switchFile).find(password), std::string::npos);
            if (signal == SIGPIPE) {
                ::close(host.output);
                EXPECT_GT(::write(host.input, "show all\n", 9), 0);
            } else {
                ::kill(host.pid, signal);
            }
            ::waitpid(host.pid, &status, 0);
            ::close(host.input);
            if (signal != SIGPIPE) ::close(host.output);
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        }
        EXPECT_TRUE(ClientFolders(runtime, false).empty()) << "left behind";
    }
    std::vector<std::string> holding;
    for (const char* root : {"/tmp", TRACKQUERY_BINARY_DIR}) {
        FilesHolding(root, password, started, holding);
    }
    EXPECT_EQ(holding, std::vector<std::string>{});
    fs::remove_all(runtime);
    ::signal(SIGPIPE, pipeBefore);
}

}  // namespace
