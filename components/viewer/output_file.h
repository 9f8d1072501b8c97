#pragma once
// Writing the viewer's print and export files without ever overwriting or leaving half a file.

#include <filesystem>
#include <string>

namespace client {

// A file name made from a title: characters a file name cannot hold become "_", and an empty
// title becomes `fallback`.
std::string SafeFileName(const std::string& title, const std::string& fallback);

// Writes `content` to a new file `<baseName><extension>` in `directory` (created when missing).
// When that name is taken, " (2)", " (3)", ... is added to the base name, so an earlier file is
// never overwritten. The file appears whole or not at all, with the permissions the user's umask
// gives a new file. Returns the path written; a failure is run-time error 75 naming the path and
// the reason.
std::filesystem::path WriteNewFile(const std::filesystem::path& directory,
                                   const std::string& baseName, const std::string& extension,
                                   const std::string& content);

}  // namespace client
