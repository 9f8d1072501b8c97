// Qt's own dialogs as the session's user meets them: their buttons in the session's language, and
// a save dialog that opens in the documents folder, then in the folder saved into last.

#include "desktop_fixture.h"

#include <faces/qt/windowing/qt_translations.h>
#include <faces/qt/windowing/save_dialog.h>

#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QSettings>

#include <cstdlib>
#include <fstream>
#include <optional>

using namespace desktop_test;

TEST(QtDialogs, ButtonsSpeakTheSessionsLanguage) {
    const std::vector<std::pair<std::string, QString>> languages{
        {"CHS", "确定"}, {"cht", "確定"}, {"EN", "OK"}, {"chs", "确定"}};
    for (const auto& [language, ok] : languages) {
        EXPECT_TRUE(qtgui::UseQtTranslations(language)) << language;
        QMessageBox box;
        EXPECT_EQ(box.addButton(QMessageBox::Ok)->text(), ok) << language;
    }
    qtgui::UseQtTranslations("en");
}

TEST(QtDialogs, SaveDialogsOpenInTheDocumentsFolderThenTheFolderUsedLastNeverATemporaryOne) {
    // A home of its own, outside the temporary folder as a user's is.
    const fs::path home =
        fs::path(TRACKQUERY_BINARY_DIR) / "test-state" / ("home_" + std::to_string(::getpid()));
    const fs::path documents = home / "文档", exports = home / "exports";
    // The temporary folder is one of the test's own, so a build under /tmp holds no user folder.
    const fs::path temporary = home / "tmp";
    fs::remove_all(home);
    fs::create_directories(temporary);
    const char* given = std::getenv("TMPDIR");
    const std::optional<std::string> givenTmpdir =
        given ? std::optional<std::string>(given) : std::nullopt;
    ::setenv("TMPDIR", temporary.c_str(), 1);
    fs::create_directories(documents);
    fs::create_directories(exports);
    std::ofstream(home / "user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"" << documents.string() << "\"";
    ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.c_str());
    QCoreApplication::setOrganizationName("trackquery");
    QWidget tracker;
    tracker.show();
    // Where each dialog opens, and the file the user picks in it.
    const std::vector<std::pair<fs::path, fs::path>> dialogs{{documents, exports / "跟踪.xlsx"},
                                                             {exports, temporary / "scratch.xlsx"},
                                                             {documents, exports / "again.xlsx"}};
    for (const auto& [folder, file] : dialogs) {
        const fs::path opensIn = folder, picked = file;  // a lambda may not capture a binding
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->directory().absolutePath().toStdString(), opensIn.string());
            EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
            EXPECT_EQ(dialog->parentWidget(), &tracker);
            dialog->selectFile(QString::fromStdString(picked.string()));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        EXPECT_EQ(qtgui::AskSaveFile(&tracker, picked.filename(), "Excel (*.xlsx)"), picked);
    }
    fs::remove_all(exports);
    EXPECT_EQ(qtgui::SaveDialogFolder(), documents) << "a folder that is gone is not offered";
    if (givenTmpdir) ::setenv("TMPDIR", givenTmpdir->c_str(), 1);
    if (!givenTmpdir) ::unsetenv("TMPDIR");
    fs::remove_all(home);
}
