#pragma once
// The window trackquery-gui opens when started without arguments (from the desktop's menu): a
// connection profile picked or edited (a database file opened, a server address typed, the user,
// the language, a password kept in the keyring), the connection tested with a verdict in words,
// then the tracker: task orders (ordinary, repetitive, outsourced; all of them, by number or from
// the bill list) or sales or export orders. What was chosen last is shown first. Captions come
// from the language files in the profile's language. Enter opens, Escape closes.

#include <harness/profiles.h>

#include <QDialog>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QGroupBox;
class QTimer;

namespace qtgui {

class Keyring;

// What the window asks of the world outside it.
struct StartServices {
    harness::ProfileStore* store = nullptr;
    const Keyring* keyring = nullptr;  // none: passwords come from libpq's own sources
    // Opens the database as the profile's user: an empty text when it works, else the reason.
    // Runs on a thread of its own, within `connectLimit`.
    std::function<std::string(const harness::Profile&, const std::string& password)> test;
    // The bill numbers of the task orders of a sub-system; std::exception with the reason.
    std::function<std::vector<std::string>(const harness::Profile&, const std::string& password,
                                           const std::string& subId)>
        taskOrders;
    std::chrono::milliseconds connectLimit = std::chrono::seconds(12);
};

struct StartChoice {
    harness::Profile profile;
    std::string password;  // typed or from the keyring; empty: libpq's sources
    harness::TrackerChoice tracker;
};

class StartWindow : public QDialog {
  public:
    explicit StartWindow(StartServices services, QWidget* parent = nullptr);
    ~StartWindow() override;

    // After the window was accepted: what to open.
    StartChoice Choice() const;

    // The last verdict of a connection test, as shown.
    QString Verdict() const;

  private:
    void BuildWidgets();
    void Retranslate();
    QString Text(const char* chinese) const;
    void LoadProfiles(const std::string& selected);
    void ShowProfile(const harness::Profile& profile);
    harness::Profile EditedProfile() const;
    void ShowChoice(const harness::TrackerChoice& choice);
    harness::TrackerChoice EditedChoice() const;
    std::string Password() const;
    void UpdateEnabled();
    bool SaveProfile();
    void NewProfile();
    void RemoveProfile();
    void OpenFile();
    void TestConnection();
    void PickTaskOrders();
    void Open();
    void ShowVerdict(const QString& verdict, bool good);

    StartServices services_;
    std::string language_ = "CHS";
    struct Test;
    std::shared_ptr<Test> running_;
    QTimer* poll_ = nullptr;

    QGroupBox* connectionBox_ = nullptr;
    QComboBox* profiles_ = nullptr;
    QPushButton* newProfile_ = nullptr;
    QPushButton* saveProfile_ = nullptr;
    QPushButton* removeProfile_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLabel* databaseLabel_ = nullptr;
    QLineEdit* database_ = nullptr;
    QPushButton* openFile_ = nullptr;
    QLabel* userLabel_ = nullptr;
    QLineEdit* user_ = nullptr;
    QLabel* languageLabel_ = nullptr;
    QComboBox* languageBox_ = nullptr;
    QLabel* passwordLabel_ = nullptr;
    QLineEdit* password_ = nullptr;
    QCheckBox* keepPassword_ = nullptr;
    QPushButton* test_ = nullptr;
    QLabel* verdict_ = nullptr;

    QGroupBox* trackerBox_ = nullptr;
    QRadioButton* taskOrders_ = nullptr;
    QComboBox* subSystem_ = nullptr;
    QRadioButton* salesOrders_ = nullptr;
    QRadioButton* exportOrders_ = nullptr;
    QRadioButton* all_ = nullptr;
    QRadioButton* byNumber_ = nullptr;
    QLineEdit* numbers_ = nullptr;
    QPushButton* billList_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace qtgui
