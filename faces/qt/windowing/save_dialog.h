#pragma once
// Asking where to save a file. The dialog is Qt's, window-modal over the window it is asked from
// and centred on it; it opens in the folder the user saved into last (remembered per user in the
// program's settings), else in the user's documents folder, else in the home folder: never in a
// temporary folder (not even one the user saved into), never in a folder that is gone.

#include <QString>

#include <filesystem>
#include <string>

class QWidget;

namespace qtgui {

// The folder the next save dialog opens in.
std::filesystem::path SaveDialogFolder();

// Asks for a file to save, suggesting `fileName` in SaveDialogFolder(); `filters` as Qt's
// ("Excel (*.xlsx);;CSV (*.csv)"), the one the user picked goes to `chosenFilter`. Returns the
// chosen path, or nothing when the user cancelled. The dialog does not ask about replacing a
// file: the caller never replaces one.
std::filesystem::path AskSaveFile(QWidget* parent, const std::string& fileName,
                                  const QString& filters, QString* chosenFilter = nullptr);

}  // namespace qtgui
