// The desktop tests run inside one QApplication, offscreen unless a display was asked for. What
// the program remembers for its user goes to a settings folder of the test's own, so that a test
// neither reads the person's settings nor leaves any behind for the next test (the programs a
// test starts inherit the folder).

#include <faces/qt/windowing/cjk_font.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>

#include <unistd.h>
#include <filesystem>
#include <string>

namespace {

// Each test starts with no settings: a folder of its own.
class FreshSettings : public ::testing::EmptyTestEventListener {
  public:
    explicit FreshSettings(std::filesystem::path root) : root_(std::move(root)) {}
    void OnTestStart(const ::testing::TestInfo&) override {
        const auto folder = root_ / std::to_string(++tests_);
        std::filesystem::remove_all(folder);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(folder.string()));
    }

  private:
    std::filesystem::path root_;
    int tests_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const auto settings =
        std::filesystem::path(::testing::TempDir()) / ("qt_settings_" + std::to_string(::getpid()));
    std::filesystem::remove_all(settings);
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(settings.string()));
    QApplication application(argc, argv);
    qtgui::UseCjkFont();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshSettings(settings));
    return RUN_ALL_TESTS();
}
