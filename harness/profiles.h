#pragma once
// Connection profiles: a database saved under a name with the user and language to open it as,
// so that neither program needs a command line to reach it. They live in
// ${XDG_CONFIG_HOME:-~/.config}/trackquery/profiles.conf, a folder only the user may enter, beside
// what the start window chose last (last.conf). A profile never holds a password: one written
// into its database is refused with a message saying where passwords go instead. Files are
// written whole beside their place and then take it, so a failure leaves the old file as it was.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace harness {

struct Profile {
    std::string name;
    std::string database;  // an SQLite file, a PostgreSQL address or a connection string
    std::string userName = "administrator";
    std::string language = "CHS";
};

// What the start window opened last: the tracker and how its orders were picked.
struct TrackerChoice {
    std::string verb = "icmo";      // icmo or seorder
    std::string subId = "CJ";       // icmo: CJ, REPM or SUBC
    std::string selection = "all";  // icmo: all, numbers or list (the bill list)
    std::string numbers;            // the numbers typed, comma-separated
    std::string type = "sales";     // seorder: sales or export
};

// std::invalid_argument saying what to do when the profile cannot be saved as it is: no name, a
// line break, no database, or a password in the database.
void CheckProfile(const Profile& profile);

class ProfileStore {
  public:
    // The user's folder, or another one (tests).
    ProfileStore();
    explicit ProfileStore(std::filesystem::path folder);

    const std::filesystem::path& Folder() const { return folder_; }

    // Every profile, in name order; none when there is no file yet. std::runtime_error naming the
    // file and line when the file cannot be read.
    std::vector<Profile> Profiles() const;
    std::optional<Profile> Find(const std::string& name) const;
    // Adds the profile or replaces the one of that name (CheckProfile's errors; std::runtime_error
    // when the folder or file cannot be written).
    void Save(const Profile& profile);
    void Remove(const std::string& name);

    // The name of the profile used last (empty: none) and the start window's last choice.
    std::string LastProfile() const;
    TrackerChoice LastChoice() const;
    void SetLast(const std::string& profileName, const TrackerChoice& choice);
    void SetLastProfile(const std::string& profileName);

  private:
    std::filesystem::path folder_;
};

// ${XDG_CONFIG_HOME:-$HOME/.config}/trackquery; empty when neither names a folder.
std::filesystem::path ProfileFolder();

}  // namespace harness
