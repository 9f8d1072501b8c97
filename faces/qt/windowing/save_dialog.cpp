#include <faces/qt/windowing/save_dialog.h>

#include <QDir>
#include <QFileDialog>
#include <QSettings>
#include <QStandardPaths>

namespace qtgui {

namespace fs = std::filesystem;

namespace {

constexpr const char* kLastFolderKey = "dialogs/lastSaveFolder";

bool IsFolder(const QString& path) { return !path.isEmpty() && QDir(path).exists(); }

// A temporary folder is emptied behind the user's back: a save dialog never starts there.
bool IsTemporary(const QString& path) {
    const QString temporary = QDir(QDir::tempPath()).canonicalPath();
    const QString folder = QDir(path).canonicalPath();
    return folder == temporary || folder.startsWith(temporary + QLatin1Char('/'));
}

void RememberFolderOf(const QString& chosenFile) {
    const QString folder = QFileInfo(chosenFile).absolutePath();
    if (IsFolder(folder)) QSettings().setValue(kLastFolderKey, folder);
}

}  // namespace

fs::path SaveDialogFolder() {
    const QString last = QSettings().value(kLastFolderKey).toString();
    if (IsFolder(last) && !IsTemporary(last)) return last.toStdString();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (IsFolder(documents)) return documents.toStdString();
    return QDir::homePath().toStdString();
}

fs::path AskSaveFile(QWidget* parent, const std::string& fileName, const QString& filters,
                     QString* chosenFilter) {
    QFileDialog dialog(parent, QString(), QString::fromStdString(SaveDialogFolder().string()),
                       filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.selectFile(QString::fromStdString(fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    RememberFolderOf(chosen);
    if (chosenFilter) *chosenFilter = dialog.selectedNameFilter();
    return chosen.toStdString();
}

}  // namespace qtgui
