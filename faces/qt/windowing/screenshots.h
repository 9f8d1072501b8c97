#pragma once
// PNG pictures of windows, for people to look at what a session showed. Files are numbered in the
// order taken, "0007-after-select-2-frmICMOQuery.png", so a directory reads as the session's
// story; in a folder that holds pictures already the numbers go on after the highest, and an
// existing file is never replaced.

#include <QWidget>

#include <filesystem>
#include <string>
#include <vector>

namespace qtgui {

class ScreenshotWriter {
  public:
    // Nothing is written until a directory is set.
    void SetDirectory(const std::filesystem::path& directory);
    bool Enabled() const { return !directory_.empty(); }

    // Writes a picture of `window` named after `label` and the window; returns the file written,
    // or an empty path when no directory is set or the picture could not be written.
    std::filesystem::path Take(QWidget& window, const std::string& label);
    // A picture of every visible top-level window.
    std::vector<std::filesystem::path> TakeAll(const std::string& label);

  private:
    std::filesystem::path FreeName(const std::string& label, const QWidget& window);

    std::filesystem::path directory_;
    int taken_ = 0;
};

// A file name part made of a label: letters, digits and CJK kept, everything else "-".
std::string FileLabel(const std::string& label);

}  // namespace qtgui
