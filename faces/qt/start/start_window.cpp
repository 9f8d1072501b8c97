#include <faces/qt/start/start_window.h>

#include <faces/qt/start/keyring.h>
#include <faces/qt/start/task_order_picker.h>

#include <components/erp_database/erp_schema.h>
#include <components/resources/res_loader.h>
#include <platform/automation/strings.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <mutex>
#include <thread>

namespace qtgui {

namespace {

constexpr const char* kSubSystems[] = {"CJ", "REPM", "SUBC"};
constexpr const char* kSubSystemCaptions[] = {"普通", "重复生产", "委外加工"};
// Languages by their own names, so that a person finds theirs whatever is shown.
constexpr const char* kLanguageIds[] = {"CHS", "CHT", "EN"};
constexpr const char* kLanguageNames[] = {"简体中文", "繁體中文", "English"};

QString Q(const std::string& text) { return QString::fromStdString(text); }

int IndexOf(const char* const* ids, int count, const std::string& id) {
    for (int i = 0; i < count; ++i) {
        if (automation::UCase(id) == ids[i]) return i;
    }
    return 0;
}

}  // namespace

// A connection test on its own thread. The window polls it; one that outlives the time limit is
// left to end by itself (libpq's own time limits end it) and its verdict is dropped.
struct StartWindow::Test {
    std::mutex mutex;
    bool done = false;
    std::string reason;
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
};

StartWindow::StartWindow(StartServices services, QWidget* parent)
    : QDialog(parent), services_(std::move(services)) {
    BuildWidgets();
    const std::string last = services_.store ? services_.store->LastProfile() : "";
    LoadProfiles(last);
    if (services_.store) ShowChoice(services_.store->LastChoice());
    Retranslate();
    UpdateEnabled();
}

StartWindow::~StartWindow() = default;

QString StartWindow::Text(const char* chinese) const {
    client::ResLoader loader;
    loader.SetResFileBaseName("ZeVoverazuzed");
    loader.SetLanguageID(language_);
    try {
        return Q(loader.LoadString(chinese));
    } catch (const std::exception&) {
        return QString::fromUtf8(chinese);  // an unreadable language file shows the source text
    }
}

void StartWindow::BuildWidgets() {
    setObjectName("StartWindow");
    connectionBox_ = new QGroupBox(this);
    profiles_ = new QComboBox(connectionBox_);
    profiles_->setObjectName("Profiles");
    newProfile_ = new QPushButton(connectionBox_);
    saveProfile_ = new QPushButton(connectionBox_);
    removeProfile_ = new QPushButton(connectionBox_);
    name_ = new QLineEdit(connectionBox_);
    name_->setObjectName("ProfileName");
    database_ = new QLineEdit(connectionBox_);
    database_->setObjectName("Database");
    database_->setMinimumWidth(360);
    openFile_ = new QPushButton(connectionBox_);
    user_ = new QLineEdit(connectionBox_);
    user_->setObjectName("User");
    languageBox_ = new QComboBox(connectionBox_);
    languageBox_->setObjectName("Language");
    for (const char* name : kLanguageNames) languageBox_->addItem(QString::fromUtf8(name));
    password_ = new QLineEdit(connectionBox_);
    password_->setObjectName("Password");
    password_->setEchoMode(QLineEdit::Password);
    keepPassword_ = new QCheckBox(connectionBox_);
    test_ = new QPushButton(connectionBox_);
    test_->setObjectName("Test");
    verdict_ = new QLabel(connectionBox_);
    verdict_->setObjectName("Verdict");
    verdict_->setWordWrap(true);
    verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    nameLabel_ = new QLabel(connectionBox_);
    databaseLabel_ = new QLabel(connectionBox_);
    userLabel_ = new QLabel(connectionBox_);
    languageLabel_ = new QLabel(connectionBox_);
    passwordLabel_ = new QLabel(connectionBox_);
    nameLabel_->setBuddy(name_);
    databaseLabel_->setBuddy(database_);
    userLabel_->setBuddy(user_);
    languageLabel_->setBuddy(languageBox_);
    passwordLabel_->setBuddy(password_);

    auto* profileRow = new QHBoxLayout;
    profileRow->addWidget(profiles_, 1);
    profileRow->addWidget(newProfile_);
    profileRow->addWidget(saveProfile_);
    profileRow->addWidget(removeProfile_);
    auto* databaseRow = new QHBoxLayout;
    databaseRow->addWidget(database_, 1);
    databaseRow->addWidget(openFile_);
    auto* passwordRow = new QHBoxLayout;
    passwordRow->addWidget(password_, 1);
    passwordRow->addWidget(keepPassword_);
    auto* testRow = new QHBoxLayout;
    testRow->addWidget(test_);
    testRow->addStretch();
    auto* form = new QFormLayout;
    form->addRow(nameLabel_, name_);
    form->addRow(databaseLabel_, databaseRow);
    form->addRow(userLabel_, user_);
    form->addRow(languageLabel_, languageBox_);
    form->addRow(passwordLabel_, passwordRow);
    auto* connection = new QVBoxLayout(connectionBox_);
    connection->addLayout(profileRow);
    connection->addLayout(form);
    connection->addLayout(testRow);
    connection->addWidget(verdict_);

    trackerBox_ = new QGroupBox(this);
    taskOrders_ = new QRadioButton(trackerBox_);
    taskOrders_->setObjectName("TaskOrders");
    subSystem_ = new QComboBox(trackerBox_);
    subSystem_->setObjectName("SubSystem");
    for ([[maybe_unused]] const char* id : kSubSystems) subSystem_->addItem(QString());
    salesOrders_ = new QRadioButton(trackerBox_);
    salesOrders_->setObjectName("SalesOrders");
    exportOrders_ = new QRadioButton(trackerBox_);
    exportOrders_->setObjectName("ExportOrders");
    all_ = new QRadioButton(trackerBox_);
    all_->setObjectName("All");
    byNumber_ = new QRadioButton(trackerBox_);
    byNumber_->setObjectName("ByNumber");
    numbers_ = new QLineEdit(trackerBox_);
    numbers_->setObjectName("Numbers");
    billList_ = new QPushButton(trackerBox_);
    billList_->setObjectName("BillList");
    auto* kinds = new QButtonGroup(trackerBox_);
    for (auto* kind : {taskOrders_, salesOrders_, exportOrders_}) kinds->addButton(kind);
    auto* selections = new QButtonGroup(trackerBox_);
    selections->addButton(all_);
    selections->addButton(byNumber_);
    taskOrders_->setChecked(true);
    all_->setChecked(true);

    auto* taskRow = new QHBoxLayout;
    taskRow->addWidget(taskOrders_);
    taskRow->addWidget(subSystem_);
    taskRow->addStretch();
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(byNumber_);
    numberRow->addWidget(numbers_, 1);
    numberRow->addWidget(billList_);
    auto* tracker = new QVBoxLayout(trackerBox_);
    tracker->addLayout(taskRow);
    tracker->addWidget(salesOrders_);
    tracker->addWidget(exportOrders_);
    tracker->addSpacing(6);
    tracker->addWidget(all_);
    tracker->addLayout(numberRow);

    auto* buttons = new QDialogButtonBox(this);
    open_ = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    open_->setObjectName("Open");
    open_->setDefault(true);
    close_ = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    close_->setObjectName("Close");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(connectionBox_);
    layout->addWidget(trackerBox_);
    layout->addWidget(buttons);
    // A long verdict makes the window taller instead of squeezing the boxes.
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    // Only Open takes Enter: the other buttons act on a click or on Space.
    for (auto* button : {newProfile_, saveProfile_, removeProfile_, openFile_, test_, billList_}) {
        button->setAutoDefault(false);
    }
    QWidget* const order[] = {profiles_,    name_,         database_,     openFile_, user_,
                              languageBox_, password_,     keepPassword_, test_,     taskOrders_,
                              subSystem_,   salesOrders_,  exportOrders_, all_,      byNumber_,
                              numbers_,     billList_,     open_,         close_,    newProfile_,
                              saveProfile_, removeProfile_};
    for (size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    connect(profiles_, &QComboBox::activated, this, [this](int index) {
        if (!services_.store) return;
        if (auto profile = services_.store->Find(profiles_->itemText(index).toStdString())) {
            ShowProfile(*profile);
        }
    });
    connect(languageBox_, &QComboBox::currentIndexChanged, this, [this](int index) {
        language_ = kLanguageIds[index < 0 ? 0 : index];
        Retranslate();
    });
    connect(database_, &QLineEdit::textChanged, this, [this] { UpdateEnabled(); });
    connect(newProfile_, &QPushButton::clicked, this, [this] { NewProfile(); });
    connect(saveProfile_, &QPushButton::clicked, this, [this] { SaveProfile(); });
    connect(removeProfile_, &QPushButton::clicked, this, [this] { RemoveProfile(); });
    connect(openFile_, &QPushButton::clicked, this, [this] { OpenFile(); });
    connect(test_, &QPushButton::clicked, this, [this] { TestConnection(); });
    connect(billList_, &QPushButton::clicked, this, [this] { PickTaskOrders(); });
    connect(numbers_, &QLineEdit::textEdited, this, [this] { byNumber_->setChecked(true); });
    connect(byNumber_, &QRadioButton::clicked, this, [this] { numbers_->setFocus(); });
    for (auto* kind : {taskOrders_, salesOrders_, exportOrders_}) {
        connect(kind, &QRadioButton::toggled, this, [this] {
            UpdateEnabled();
            Retranslate();
        });
    }
    connect(open_, &QPushButton::clicked, this, [this] { Open(); });
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);

    poll_ = new QTimer(this);
    poll_->setInterval(50);
    connect(poll_, &QTimer::timeout, this, [this] { TestConnection(); });
}

void StartWindow::Retranslate() {
    setWindowTitle(Text("全程跟踪"));
    connectionBox_->setTitle(Text("连接配置"));
    newProfile_->setText(Text("新建(&N)"));
    saveProfile_->setText(Text("保存(&S)"));
    removeProfile_->setText(Text("删除(&D)"));
    nameLabel_->setText(Text("配置名称(&M):"));
    databaseLabel_->setText(Text("数据库(&B):"));
    database_->setPlaceholderText(Text("数据库文件，或 postgresql://用户@主机/数据库"));
    openFile_->setText(Text("打开文件(&F)..."));
    userLabel_->setText(Text("用户(&U):"));
    languageLabel_->setText(Text("语言(&L):"));
    passwordLabel_->setText(Text("密码(&P):"));
    password_->setPlaceholderText(Text("不保存在配置中"));
    keepPassword_->setText(Text("保存到密钥环(&K)"));
    test_->setText(Text("测试连接(&T)"));
    trackerBox_->setTitle(Text("跟踪"));
    taskOrders_->setText(Text("生产任务单"));
    for (int i = 0; i < subSystem_->count(); ++i) {
        subSystem_->setItemText(i, Text(kSubSystemCaptions[i]));
    }
    salesOrders_->setText(Text("销售订单"));
    exportOrders_->setText(Text("外销订单"));
    all_->setText(taskOrders_->isChecked() ? Text("全部任务单(&A)") : Text("在跟踪窗口中选择(&A)"));
    byNumber_->setText(Text("按单号(&Y):"));
    numbers_->setPlaceholderText(Text("单号，用逗号分隔"));
    billList_->setText(Text("从单据列表选择(&I)..."));
    open_->setText(Text("打开(&O)"));
    close_->setText(Text("关闭(&C)"));
}

void StartWindow::LoadProfiles(const std::string& selected) {
    profiles_->clear();
    std::vector<harness::Profile> profiles;
    if (services_.store) {
        try {
            profiles = services_.store->Profiles();
        } catch (const std::exception& unreadable) {
            ShowVerdict(Q(unreadable.what()), false);
        }
    }
    int current = -1;
    for (const auto& profile : profiles) {
        if (profile.name == selected) current = profiles_->count();
        profiles_->addItem(Q(profile.name));
    }
    if (profiles.empty()) {
        ShowProfile(harness::Profile{});
        return;
    }
    profiles_->setCurrentIndex(current < 0 ? 0 : current);
    ShowProfile(profiles[static_cast<size_t>(current < 0 ? 0 : current)]);
}

void StartWindow::ShowProfile(const harness::Profile& profile) {
    name_->setText(Q(profile.name));
    database_->setText(Q(profile.database));
    user_->setText(Q(profile.userName));
    languageBox_->setCurrentIndex(IndexOf(kLanguageIds, 3, profile.language));
    language_ = kLanguageIds[languageBox_->currentIndex()];
    password_->clear();
    keepPassword_->setChecked(false);
    verdict_->clear();
    if (services_.keyring && !profile.name.empty() &&
        !client::erp_database::IsDatabaseFile(profile.database)) {
        if (auto kept = services_.keyring->Read(profile.name)) {
            password_->setText(Q(*kept));
            keepPassword_->setChecked(true);
        }
    }
    Retranslate();
    UpdateEnabled();
}

harness::Profile StartWindow::EditedProfile() const {
    harness::Profile profile;
    profile.name = name_->text().trimmed().toStdString();
    profile.database = database_->text().trimmed().toStdString();
    profile.userName = user_->text().trimmed().toStdString();
    if (profile.userName.empty()) profile.userName = "administrator";
    profile.language = language_;
    return profile;
}

void StartWindow::ShowChoice(const harness::TrackerChoice& choice) {
    if (choice.verb == "seorder") {
        (choice.type == "export" ? exportOrders_ : salesOrders_)->setChecked(true);
    } else {
        taskOrders_->setChecked(true);
    }
    subSystem_->setCurrentIndex(IndexOf(kSubSystems, 3, choice.subId));
    numbers_->setText(Q(choice.numbers));
    (choice.selection == "all" ? all_ : byNumber_)->setChecked(true);
}

harness::TrackerChoice StartWindow::EditedChoice() const {
    harness::TrackerChoice choice;
    choice.verb = taskOrders_->isChecked() ? "icmo" : "seorder";
    choice.type = exportOrders_->isChecked() ? "export" : "sales";
    choice.subId = kSubSystems[subSystem_->currentIndex() < 0 ? 0 : subSystem_->currentIndex()];
    choice.numbers = numbers_->text().trimmed().toStdString();
    choice.selection = all_->isChecked() ? "all" : "numbers";
    return choice;
}

std::string StartWindow::Password() const { return password_->text().toStdString(); }

void StartWindow::UpdateEnabled() {
    const bool server = !client::erp_database::IsDatabaseFile(database_->text().toStdString());
    password_->setEnabled(server);
    passwordLabel_->setEnabled(server);
    keepPassword_->setEnabled(server && services_.keyring);
    subSystem_->setEnabled(taskOrders_->isChecked());
    billList_->setEnabled(taskOrders_->isChecked() && services_.taskOrders);
    removeProfile_->setEnabled(profiles_->count() > 0);
}

void StartWindow::ShowVerdict(const QString& verdict, bool good) {
    verdict_->setText(verdict.simplified());  // libpq's reasons come with line breaks and tabs
    verdict_->setStyleSheet(good ? "color: #1b7a2e;" : "color: #b3261e;");
}

QString StartWindow::Verdict() const { return verdict_->text(); }

bool StartWindow::SaveProfile() {
    const harness::Profile profile = EditedProfile();
    try {
        if (!services_.store) return false;
        services_.store->Save(profile);
    } catch (const std::exception& refused) {
        QMessageBox::warning(this, Text("全程跟踪"), Q(refused.what()));
        return false;
    }
    if (services_.keyring && !client::erp_database::IsDatabaseFile(profile.database)) {
        if (keepPassword_->isChecked() && !Password().empty()) {
            if (!services_.keyring->Write(profile.name, Password())) {
                ShowVerdict(Text("密钥环没有回答：密码未保存"), false);
            }
        } else {
            services_.keyring->Remove(profile.name);
        }
    }
    const std::string password = Password();
    LoadProfiles(profile.name);
    password_->setText(Q(password));
    return true;
}

void StartWindow::NewProfile() {
    profiles_->setCurrentIndex(-1);
    harness::Profile blank;
    blank.language = language_;
    ShowProfile(blank);
    name_->setFocus();
}

void StartWindow::RemoveProfile() {
    const std::string name = profiles_->currentText().toStdString();
    if (name.empty() || !services_.store) return;
    try {
        services_.store->Remove(name);
        if (services_.keyring) services_.keyring->Remove(name);
    } catch (const std::exception& failed) {
        QMessageBox::warning(this, Text("全程跟踪"), Q(failed.what()));
    }
    LoadProfiles("");
}

void StartWindow::OpenFile() {
    const QString file = QFileDialog::getOpenFileName(
        this, Text("打开文件(&F)...").remove("(&F)"), database_->text(),
        Text("数据库文件") + " (*.db *.sqlite *.sqlite3);;" + Text("所有文件") + " (*)");
    if (file.isEmpty()) return;
    database_->setText(file);
    if (name_->text().trimmed().isEmpty()) name_->setText(QFileInfo(file).completeBaseName());
}

// Starts a test, or (called by the poll timer) looks at the one running.
void StartWindow::TestConnection() {
    if (!running_) {
        if (!services_.test) return;
        auto test = std::make_shared<Test>();
        running_ = test;
        test_->setEnabled(false);
        ShowVerdict(Text("正在连接..."), true);
        std::thread([test, check = services_.test, profile = EditedProfile(),
                     password = Password()] {
            std::string reason;
            try {
                reason = check(profile, password);
            } catch (const std::exception& failed) {
                reason = failed.what();
            }
            std::lock_guard lock(test->mutex);
            test->reason = reason;
            test->done = true;
        }).detach();
        poll_->start();
        return;
    }
    bool done = false;
    std::string reason;
    {
        std::lock_guard lock(running_->mutex);
        done = running_->done;
        reason = running_->reason;
    }
    const bool late = std::chrono::steady_clock::now() - running_->started > services_.connectLimit;
    if (!done && !late) return;
    poll_->stop();
    running_.reset();
    test_->setEnabled(true);
    if (!done) {
        ShowVerdict(Text("数据库服务器没有及时回答"), false);
    } else if (reason.empty()) {
        ShowVerdict(Text("连接成功"), true);
    } else {
        ShowVerdict(Text("无法连接：") + Q(reason), false);
    }
}

void StartWindow::PickTaskOrders() {
    std::vector<std::string> numbers;
    try {
        numbers = services_.taskOrders(EditedProfile(), Password(),
                                       kSubSystems[std::max(0, subSystem_->currentIndex())]);
    } catch (const std::exception& failed) {
        ShowVerdict(Text("无法连接：") + Q(failed.what()), false);
        return;
    }
    TaskOrderPicker picker(
        numbers, [this](const char* text) { return Text(text); }, this);
    if (picker.exec() != QDialog::Accepted || picker.Picked().empty()) return;
    std::string joined;
    for (const auto& number : picker.Picked()) joined += (joined.empty() ? "" : ",") + number;
    numbers_->setText(Q(joined));
    byNumber_->setChecked(true);
}

void StartWindow::Open() {
    if (byNumber_->isChecked() && numbers_->text().trimmed().isEmpty()) {
        numbers_->setFocus();
        ShowVerdict(Text("请输入单号"), false);
        return;
    }
    const harness::Profile profile = EditedProfile();
    if (profile.name.empty() && services_.store && services_.store->Profiles().empty()) {
        name_->setText(Text("默认"));
    }
    if (!SaveProfile()) return;
    accept();
}

StartChoice StartWindow::Choice() const { return {EditedProfile(), Password(), EditedChoice()}; }

}  // namespace qtgui
