#pragma once
// The folder a program writes its output files into when the user named none: one of the user's
// own, never a folder other users share. In order of preference:
//   the documents folder ($XDG_DOCUMENTS_DIR, the XDG_DOCUMENTS_DIR line of user-dirs.dirs, or
//   ~/Documents when it exists) followed by "trackquery";
//   ${XDG_CACHE_HOME:-~/.cache}/trackquery;
//   $XDG_RUNTIME_DIR/trackquery, for a process without a home folder.
// A missing folder is made readable by the user only. The folder is looked for only when a file is
// written: a program that never writes one needs none.

#include <filesystem>

namespace automation {

// The output folder, made when missing. Raises error 76 (path not found) when the user has no home,
// documents or runtime folder, and error 75 (path/file access error) when the folder cannot be
// made, or is not the user's own or others may write into it.
std::filesystem::path UserOutputFolder();

}  // namespace automation
