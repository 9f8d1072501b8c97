#pragma once
// The small registry file in which the component server records its registration: one line per
// creatable class, "ProgID<TAB>{CLSID}<TAB>path of the server". Lines of other servers are kept
// as they are. The file is replaced as a whole (written beside and renamed), so a failed write
// never leaves half a file behind.

#include <map>
#include <string>

namespace trackquery {

struct RegistryEntry {
    std::string Clsid;       // "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}"
    std::string ServerPath;  // the shared object that serves the class
};

// The file named by TRACKQUERY_REGISTRY_FILE, or $HOME/.config/trackquery/registry when that is
// not set (the current folder when HOME is not set either).
std::string RegistryFilePath();

class ServerRegistryFile {
  public:
    explicit ServerRegistryFile(std::string path) : path_(std::move(path)) {}

    // Reads the file; a missing file is an empty registry. Malformed lines are dropped. Throws
    // std::runtime_error when the file exists but cannot be read.
    void Load();
    // Writes every entry, creating the folder when needed. Throws std::runtime_error on failure;
    // the previous file then stays untouched.
    void Save() const;

    void Set(const std::string& progId, RegistryEntry entry);
    // True when the ProgID was registered.
    bool Remove(const std::string& progId);
    const RegistryEntry* Find(const std::string& progId) const;
    const std::map<std::string, RegistryEntry>& Entries() const { return entries_; }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    std::map<std::string, RegistryEntry> entries_;  // by ProgID as written
};

}  // namespace trackquery
