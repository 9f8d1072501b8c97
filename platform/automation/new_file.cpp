#include <platform/automation/new_file.h>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <random>

namespace automation {

int CreateUniqueFile(const std::filesystem::path& directory, const std::string& prefix,
                     const std::string& suffix, std::filesystem::path& created) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = directory /
                  (prefix + std::to_string(::getpid()) + "-" + std::to_string(random()) + suffix);
        // O_EXCL fails on any name that is taken, a link to elsewhere included.
        const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace automation
