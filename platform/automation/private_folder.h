#pragma once
// A folder only this user can enter, for files nobody else may read (the client's switch file
// names the database): a new 0700 folder under $XDG_RUNTIME_DIR when that is a folder of the
// user's own that only the user can enter, else a new 0700 folder in the temporary folder. Its
// files are written 0600. It is removed with the files written through it when the object goes,
// when the program ends through exit(), and when SIGINT, SIGTERM, SIGHUP or SIGPIPE ends the
// program (the signal then ends it as it would have; a signal the program ignores or handles
// itself is left to it).

#include <filesystem>
#include <string>

namespace automation {

class PrivateFolder {
  public:
    // A new folder named `prefix` and a unique tail; error 75 when none can be made.
    explicit PrivateFolder(const std::string& prefix);
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    // Writes `text` to the file `name` of the folder (made anew, readable by its owner only);
    // error 75 when it cannot be written. A signal removes the first four files of a folder, and
    // the first eight folders that live at once.
    std::filesystem::path WriteFile(const std::string& name, const std::string& text);

  private:
    std::filesystem::path path_;
    int slot_ = -1;  // where the removal on a signal finds it
};

}  // namespace automation
