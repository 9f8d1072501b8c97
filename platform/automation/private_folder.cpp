#include <platform/automation/private_folder.h>

#include <platform/automation/errors.h>
#include <platform/automation/temp_folder.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace automation {

namespace {

constexpr int32_t kPathFileAccessError = 75;
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

// What a signal handler removes, kept in fixed memory: a handler may not allocate.
constexpr size_t kSlots = 8;
constexpr size_t kFilesPerSlot = 4;
constexpr size_t kPathBytes = 1024;

struct Slot {
    std::atomic<bool> used{false};
    pid_t owner = 0;  // a forked child that ends leaves its parent's folders alone
    char folder[kPathBytes];
    std::array<char[kPathBytes], kFilesPerSlot> files;
    std::atomic<size_t> fileCount{0};
};

std::array<Slot, kSlots>& Slots() {
    static std::array<Slot, kSlots> slots;
    return slots;
}

// Async-signal-safe: unlink and rmdir only.
void RemoveSlot(Slot& slot) {
    if (!slot.used.load(std::memory_order_acquire) || slot.owner != ::getpid()) return;
    const size_t files = slot.fileCount.load(std::memory_order_acquire);
    for (size_t i = 0; i < files; ++i) ::unlink(slot.files[i]);
    ::rmdir(slot.folder);
}

void RemoveEverySlot() {
    for (auto& slot : Slots()) RemoveSlot(slot);
}

void RemoveAndEnd(int signal) {
    RemoveEverySlot();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Once per process: removal at exit(), and on the signals that would end the program unhandled.
void WatchForTheEnd() {
    static std::once_flag once;
    std::call_once(once, [] {
        std::atexit(RemoveEverySlot);
        for (int signal : kSignals) {
            struct sigaction current {};
            if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL ||
                (current.sa_flags & SA_SIGINFO)) {
                continue;
            }
            struct sigaction removal {};
            removal.sa_handler = RemoveAndEnd;
            sigemptyset(&removal.sa_mask);
            ::sigaction(signal, &removal, nullptr);
        }
    });
}

void Copy(char (&to)[kPathBytes], const std::string& from) {
    std::strncpy(to, from.c_str(), kPathBytes - 1);
    to[kPathBytes - 1] = '\0';
}

[[noreturn]] void CannotWrite(const std::string& what) {
    Raise(kPathFileAccessError, "PrivateFolder",
          what + ": " + std::strerror(errno) +
              ". Set XDG_RUNTIME_DIR or TMPDIR to a folder of yours.");
}

// $XDG_RUNTIME_DIR when it is the user's own folder that nobody else can enter.
std::filesystem::path RuntimeFolder() {
    const char* named = std::getenv("XDG_RUNTIME_DIR");
    struct stat status {};
    if (named && *named && ::stat(named, &status) == 0 && S_ISDIR(status.st_mode) &&
        status.st_uid == ::geteuid() && (status.st_mode & 077) == 0) {
        return named;
    }
    return TempFolder();
}

}  // namespace

PrivateFolder::PrivateFolder(const std::string& prefix) {
    WatchForTheEnd();
    std::string pattern = (RuntimeFolder() / (prefix + "XXXXXX")).string();
    if (pattern.size() >= kPathBytes - 64) {
        errno = ENAMETOOLONG;
        CannotWrite("No private folder can be made in " + RuntimeFolder().string());
    }
    if (!::mkdtemp(pattern.data())) {  // 0700
        CannotWrite("No private folder can be made in " + RuntimeFolder().string());
    }
    path_ = pattern;
    for (size_t i = 0; i < kSlots; ++i) {
        Slot& slot = Slots()[i];
        if (slot.used.load(std::memory_order_acquire)) continue;
        Copy(slot.folder, pattern);
        slot.owner = ::getpid();
        slot.fileCount.store(0, std::memory_order_release);
        slot.used.store(true, std::memory_order_release);
        slot_ = static_cast<int>(i);
        break;
    }
}

PrivateFolder::~PrivateFolder() {
    if (slot_ >= 0)
        Slots()[static_cast<size_t>(slot_)].used.store(false, std::memory_order_release);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path PrivateFolder::WriteFile(const std::string& name, const std::string& text) {
    const std::filesystem::path file = path_ / name;
    if (slot_ >= 0) {
        Slot& slot = Slots()[static_cast<size_t>(slot_)];
        const size_t count = slot.fileCount.load(std::memory_order_acquire);
        if (count < kFilesPerSlot) {
            Copy(slot.files[count], file.string());
            slot.fileCount.store(count + 1, std::memory_order_release);
        }
    }
    ::unlink(file.c_str());
    const int descriptor =
        ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor < 0) CannotWrite("The file " + file.string() + " cannot be written");
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t now = ::write(descriptor, text.data() + written, text.size() - written);
        if (now < 0 && errno == EINTR) continue;
        if (now <= 0) {
            ::close(descriptor);
            CannotWrite("The file " + file.string() + " cannot be written");
        }
        written += static_cast<size_t>(now);
    }
    ::close(descriptor);
    return file;
}

}  // namespace automation
