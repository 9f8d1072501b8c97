#include <faces/qt/windowing/screenshots.h>

#include <QApplication>
#include <QPixmap>

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace qtgui {

namespace fs = std::filesystem;

namespace {

// The highest number that starts a picture's name in `directory` (0 for none).
int HighestNumberIn(const fs::path& directory) {
    int highest = 0;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(directory, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".png" || name.size() < 5 || name[4] != '-') continue;
        int number = 0;
        if (std::sscanf(name.c_str(), "%4d-", &number) == 1) highest = std::max(highest, number);
    }
    return highest;
}

}  // namespace

std::string FileLabel(const std::string& label) {
    std::string name;
    for (unsigned char c : label) {
        const bool keep = std::isalnum(c) || c >= 0x80 || c == '_';
        if (keep) {
            name += static_cast<char>(c);
        } else if (!name.empty() && name.back() != '-') {
            name += '-';
        }
    }
    while (!name.empty() && name.back() == '-') name.pop_back();
    return name.substr(0, 80);
}

void ScreenshotWriter::SetDirectory(const fs::path& directory) {
    directory_ = directory;
    taken_ = 0;
    if (directory_.empty()) return;
    fs::create_directories(directory_);
    // A folder that holds an earlier session's pictures: this one's follow them.
    taken_ = HighestNumberIn(directory_);
}

fs::path ScreenshotWriter::FreeName(const std::string& label, const QWidget& window) {
    const std::string windowName = FileLabel(window.objectName().toStdString());
    for (;;) {
        char number[16];
        std::snprintf(number, sizeof number, "%04d", ++taken_);
        std::string name = std::string(number) + "-" + FileLabel(label);
        if (!windowName.empty()) name += "-" + windowName;
        const fs::path path = directory_ / (name + ".png");
        if (!fs::exists(path)) return path;
    }
}

fs::path ScreenshotWriter::Take(QWidget& window, const std::string& label) {
    if (!Enabled() || !window.isVisible()) return {};
    // Layouts settle first; nothing else runs here (no timers, no input), since a picture is
    // taken in the middle of the program's own work, such as a form being shown.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QPixmap picture = window.grab();
    const fs::path path = FreeName(label, window);
    if (picture.isNull() || !picture.save(QString::fromStdString(path.string()), "PNG")) return {};
    return path;
}

std::vector<fs::path> ScreenshotWriter::TakeAll(const std::string& label) {
    std::vector<fs::path> written;
    if (!Enabled()) return written;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->windowType() == Qt::ToolTip) continue;
        if (window->windowType() == Qt::Popup) continue;
        auto path = Take(*window, label);
        if (!path.empty()) written.push_back(std::move(path));
    }
    return written;
}

}  // namespace qtgui
