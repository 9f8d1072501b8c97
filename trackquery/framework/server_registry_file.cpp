#include <trackquery/framework/server_registry_file.h>

#include <platform/automation/strings.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace trackquery {

namespace {

std::string FindKey(const std::map<std::string, RegistryEntry>& entries,
                    const std::string& progId) {
    for (const auto& [key, entry] : entries) {
        if (automation::EqualsIgnoreCase(key, progId)) return key;
    }
    return {};
}

}  // namespace

std::string RegistryFilePath() {
    if (const char* path = std::getenv("TRACKQUERY_REGISTRY_FILE"); path && *path) return path;
    const char* home = std::getenv("HOME");
    std::filesystem::path base = (home && *home) ? home : ".";
    return (base / ".config" / "trackquery" / "registry").string();
}

void ServerRegistryFile::Load() {
    entries_.clear();
    std::error_code error;
    if (!std::filesystem::exists(path_, error)) return;
    std::ifstream in(path_);
    if (!in) throw std::runtime_error("cannot read the registry file " + path_);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string progId, clsid, server;
        if (!std::getline(fields, progId, '\t') || !std::getline(fields, clsid, '\t')) continue;
        std::getline(fields, server);
        if (progId.empty() || clsid.empty()) continue;
        entries_[progId] = RegistryEntry{clsid, server};
    }
}

void ServerRegistryFile::Save() const {
    const std::filesystem::path target(path_);
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path());
    const std::string temporary = path_ + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::trunc);
        for (const auto& [progId, entry] : entries_) {
            out << progId << '\t' << entry.Clsid << '\t' << entry.ServerPath << '\n';
        }
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            throw std::runtime_error("cannot write the registry file " + path_);
        }
    }
    if (std::rename(temporary.c_str(), path_.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw std::runtime_error("cannot replace the registry file " + path_);
    }
}

void ServerRegistryFile::Set(const std::string& progId, RegistryEntry entry) {
    const std::string existing = FindKey(entries_, progId);
    if (!existing.empty()) entries_.erase(existing);
    entries_[progId] = std::move(entry);
}

bool ServerRegistryFile::Remove(const std::string& progId) {
    const std::string existing = FindKey(entries_, progId);
    if (existing.empty()) return false;
    entries_.erase(existing);
    return true;
}

const RegistryEntry* ServerRegistryFile::Find(const std::string& progId) const {
    const std::string existing = FindKey(entries_, progId);
    if (existing.empty()) return nullptr;
    return &entries_.at(existing);
}

}  // namespace trackquery
