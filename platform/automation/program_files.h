#pragma once
// Where the running program finds its data files (language files, the ERP schema, the tracking
// templates) and which version it is. An installed program finds them beside itself: the data
// folder is <program's folder>/../share/trackquery (the relative path the build was configured
// with), wherever the installed tree was put. In order:
//   $TRACKQUERY_RESOURCE_DIR when set (a folder laid out as the installed one);
//   the installed data folder beside the program, when it is there;
//   the resources folder of the source tree, only for a program that runs from the build folder
//   it was built in;
//   else the installed data folder all the same, so that what is missing is named there.

#include <filesystem>
#include <string>

namespace automation {

inline constexpr char kDataDirectoryEnvironmentVariable[] = "TRACKQUERY_RESOURCE_DIR";

// The folder of the running program's executable (/proc/self/exe); empty when it cannot be read.
std::filesystem::path ProgramDirectory();

// The folder that holds lang/, schema/ and templates/.
std::filesystem::path DataDirectory();

// The program's version, as the build gives it ("0.1.0").
std::string ProgramVersion();

}  // namespace automation
