#include <harness/profiles.h>

#include <components/erp_database/erp_schema.h>
#include <platform/adodb/connection.h>
#include <platform/automation/errors.h>
#include <platform/automation/new_file.h>
#include <platform/automation/strings.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <stdexcept>

namespace harness {

namespace fs = std::filesystem;

namespace {

constexpr char kProfilesFile[] = "profiles.conf";
constexpr char kLastFile[] = "last.conf";

using Section = std::map<std::string, std::string>;
using Sections = std::vector<std::pair<std::string, Section>>;

// An INI text: "[name]" opens a section, "key=value" fills it; a line before any section goes to
// the one named "". Blank lines and "#" comments are skipped.
Sections ReadSections(const fs::path& file) {
    Sections sections;
    std::ifstream in(file);
    if (!in) {
        if (fs::exists(file)) throw std::runtime_error("Cannot read " + file.string());
        return sections;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            sections.emplace_back(line.substr(1, line.size() - 2), Section{});
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos) {
            throw std::runtime_error(file.string() + " line " + std::to_string(number) +
                                     ": neither [name] nor key=value");
        }
        if (sections.empty()) sections.emplace_back("", Section{});
        sections.back().second[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return sections;
}

std::string WrittenSections(const Sections& sections) {
    std::string text = "# trackquery (never a password here)\n";
    for (const auto& [name, section] : sections) {
        if (!name.empty()) text += "\n[" + name + "]\n";
        for (const auto& [key, value] : section) text += key + "=" + value + "\n";
    }
    return text;
}

[[noreturn]] void CannotWrite(const fs::path& what, int error) {
    throw std::runtime_error("Cannot write " + what.string() + ": " + std::strerror(error));
}

// The folder, made 0700 when missing; one that is there must be the user's own folder (not a
// link), and is closed to others when it was not.
void MakePrivateFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder.parent_path(), error);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) CannotWrite(folder, errno);
    struct stat status {};
    if (::lstat(folder.c_str(), &status) != 0) CannotWrite(folder, errno);
    if (!S_ISDIR(status.st_mode) || status.st_uid != ::geteuid()) {
        throw std::runtime_error("Cannot write " + folder.string() +
                                 ": it is not a folder of yours");
    }
    if ((status.st_mode & 077) != 0 && ::chmod(folder.c_str(), 0700) != 0) {
        CannotWrite(folder, errno);
    }
}

// Writes the whole text beside `file` (0600), then puts it in its place.
void WriteWhole(const fs::path& file, const std::string& text) {
    MakePrivateFolder(file.parent_path());
    fs::path temporary;
    const int fd = automation::CreateUniqueFile(file.parent_path(), "." + file.filename().string(),
                                                ".new", temporary);
    if (fd < 0) CannotWrite(file, errno);
    size_t written = 0;
    bool failed = ::fchmod(fd, 0600) != 0;
    while (!failed && written < text.size()) {
        const ssize_t now = ::write(fd, text.data() + written, text.size() - written);
        if (now < 0 && errno == EINTR) continue;
        failed = now <= 0;
        if (!failed) written += static_cast<size_t>(now);
    }
    failed = failed || ::fsync(fd) != 0;
    const int error = errno;
    ::close(fd);
    if (failed || ::rename(temporary.c_str(), file.c_str()) != 0) {
        const int cause = failed ? error : errno;
        ::unlink(temporary.c_str());
        CannotWrite(file, cause);
    }
}

bool HasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != text.npos; }

Profile ProfileOf(const std::string& name, const Section& section) {
    Profile profile;
    profile.name = name;
    if (auto found = section.find("database"); found != section.end()) {
        profile.database = found->second;
    }
    if (auto found = section.find("user"); found != section.end()) {
        profile.userName = found->second;
    }
    if (auto found = section.find("language"); found != section.end()) {
        profile.language = found->second;
    }
    return profile;
}

std::string ValueOr(const Section& section, const std::string& key, const std::string& otherwise) {
    const auto found = section.find(key);
    return found == section.end() || found->second.empty() ? otherwise : found->second;
}

}  // namespace

void CheckProfile(const Profile& profile) {
    const std::string name = automation::TrimWhitespace(profile.name);
    if (name.empty() || name != profile.name || name.find_first_of("[]") != name.npos ||
        HasLineBreak(name)) {
        throw std::invalid_argument(
            "A profile needs a name without brackets, line breaks or blanks around it");
    }
    if (profile.database.empty() || HasLineBreak(profile.database) ||
        HasLineBreak(profile.userName) || HasLineBreak(profile.language)) {
        throw std::invalid_argument("The profile \"" + name +
                                    "\" needs a database, and no value may hold a line break");
    }
    if (client::erp_database::IsDatabaseFile(profile.database)) return;
    const std::string connection = client::erp_database::ConnectionStringFor(profile.database);
    bool holdsPassword = false;
    try {
        holdsPassword = adodb::WithoutPassword(connection) != connection;
    } catch (const automation::RuntimeError&) {
        throw std::invalid_argument("The database address of the profile \"" + name +
                                    "\" cannot be read");
    }
    if (holdsPassword) {
        throw std::invalid_argument(
            "The profile \"" + name +
            "\" is not saved: its database holds a password, and a profile never keeps one. "
            "Leave the password out of the address; the desktop program keeps it in the "
            "keyring, and libpq finds it in ~/.pgpass, PGPASSWORD or a service (PGSERVICE).");
    }
}

fs::path ProfileFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config == '/') return fs::path(config) / "trackquery";
    const char* home = std::getenv("HOME");
    if (home && *home == '/') return fs::path(home) / ".config" / "trackquery";
    return {};
}

ProfileStore::ProfileStore() : folder_(ProfileFolder()) {}
ProfileStore::ProfileStore(fs::path folder) : folder_(std::move(folder)) {}

std::vector<Profile> ProfileStore::Profiles() const {
    std::vector<Profile> profiles;
    if (folder_.empty()) return profiles;
    for (const auto& [name, section] : ReadSections(folder_ / kProfilesFile)) {
        if (!name.empty()) profiles.push_back(ProfileOf(name, section));
    }
    std::sort(profiles.begin(), profiles.end(),
              [](const Profile& a, const Profile& b) { return a.name < b.name; });
    return profiles;
}

std::optional<Profile> ProfileStore::Find(const std::string& name) const {
    for (auto& profile : Profiles()) {
        if (profile.name == name) return profile;
    }
    return std::nullopt;
}

void ProfileStore::Save(const Profile& profile) {
    CheckProfile(profile);
    if (folder_.empty()) throw std::runtime_error("No configuration folder: HOME is not set");
    Sections sections;
    for (const auto& kept : Profiles()) {
        if (kept.name == profile.name) continue;
        sections.emplace_back(kept.name, Section{{"database", kept.database},
                                                 {"user", kept.userName},
                                                 {"language", kept.language}});
    }
    sections.emplace_back(profile.name, Section{{"database", profile.database},
                                                {"user", profile.userName},
                                                {"language", profile.language}});
    WriteWhole(folder_ / kProfilesFile, WrittenSections(sections));
}

void ProfileStore::Remove(const std::string& name) {
    Sections sections;
    bool found = false;
    for (const auto& kept : Profiles()) {
        if (kept.name == name) {
            found = true;
            continue;
        }
        sections.emplace_back(kept.name, Section{{"database", kept.database},
                                                 {"user", kept.userName},
                                                 {"language", kept.language}});
    }
    if (found) WriteWhole(folder_ / kProfilesFile, WrittenSections(sections));
}

std::string ProfileStore::LastProfile() const {
    if (folder_.empty()) return "";
    for (const auto& [name, section] : ReadSections(folder_ / kLastFile)) {
        if (name.empty()) return ValueOr(section, "profile", "");
    }
    return "";
}

TrackerChoice ProfileStore::LastChoice() const {
    TrackerChoice choice;
    if (folder_.empty()) return choice;
    for (const auto& [name, section] : ReadSections(folder_ / kLastFile)) {
        if (!name.empty()) continue;
        choice.verb = ValueOr(section, "tracker", choice.verb);
        choice.subId = ValueOr(section, "sub", choice.subId);
        choice.selection = ValueOr(section, "selection", choice.selection);
        choice.numbers = ValueOr(section, "numbers", "");
        choice.type = ValueOr(section, "type", choice.type);
    }
    return choice;
}

void ProfileStore::SetLast(const std::string& profileName, const TrackerChoice& choice) {
    if (folder_.empty()) return;
    for (const std::string* value : {&profileName, &choice.numbers}) {
        if (HasLineBreak(*value)) throw std::invalid_argument("A line break cannot be saved");
    }
    Section last{{"profile", profileName},    {"tracker", choice.verb},
                 {"sub", choice.subId},       {"selection", choice.selection},
                 {"numbers", choice.numbers}, {"type", choice.type}};
    WriteWhole(folder_ / kLastFile, WrittenSections({{"", last}}));
}

void ProfileStore::SetLastProfile(const std::string& profileName) {
    SetLast(profileName, LastChoice());
}

}  // namespace harness
