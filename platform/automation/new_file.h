#pragma once
// A file made anew under a name nobody uses yet, for writing a whole file beside its target before
// it takes the target's place.

#include <filesystem>
#include <string>

namespace automation {

// Creates `<prefix><random><suffix>` in `directory` and opens it for writing, with the permissions
// the user's umask gives a new file (mkstemp would make every file private, whatever the user
// chose). The file is never one that was there before, whoever made it. Returns the open file
// descriptor and sets `created`; -1 with errno set when no file could be made.
int CreateUniqueFile(const std::filesystem::path& directory, const std::string& prefix,
                     const std::string& suffix, std::filesystem::path& created);

}  // namespace automation
