#include <faces/qt/start/task_order_picker.h>

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace qtgui {

TaskOrderPicker::TaskOrderPicker(const std::vector<std::string>& numbers, const Translate& text,
                                 QWidget* parent)
    : QDialog(parent) {
    setObjectName("TaskOrderPicker");
    // The button's caption without its mnemonic and dots: "(&I)" in Chinese, "&" in English.
    QString title = text("从单据列表选择(&I)...");
    title.remove(QRegularExpression("\\(&.\\)|&|\\.\\.\\.$"));
    setWindowTitle(title);
    search_ = new QLineEdit(this);
    search_->setClearButtonEnabled(true);
    list_ = new QListWidget(this);
    for (const auto& number : numbers) {
        auto* item = new QListWidgetItem(QString::fromStdString(number), list_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(search_);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(320, 420);

    connect(search_, &QLineEdit::textChanged, this, [this](const QString& typed) {
        for (int i = 0; i < list_->count(); ++i) {
            list_->item(i)->setHidden(!list_->item(i)->text().contains(typed, Qt::CaseInsensitive));
        }
    });
    // A double click or Space checks the order under the cursor.
    connect(list_, &QListWidget::itemDoubleClicked, this, [](QListWidgetItem* item) {
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::vector<std::string> TaskOrderPicker::Picked() const {
    std::vector<std::string> picked;
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->checkState() == Qt::Checked) {
            picked.push_back(list_->item(i)->text().toStdString());
        }
    }
    return picked;
}

}  // namespace qtgui
