#pragma once
// The folder for scratch and output files when the user named none: $TMPDIR when it names a
// folder that exists, else /tmp. A wrong TMPDIR is no reason to stop a program that may never
// write a file; it matters only when a file is written, and then the error says what to fix.

#include <filesystem>

namespace automation {

// Raises error 76 (path not found) when neither folder exists.
std::filesystem::path TempFolder();

}  // namespace automation
