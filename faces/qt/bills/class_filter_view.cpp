#include <faces/qt/bills/class_filter_view.h>

#include <faces/qt/windowing/user_action.h>

#include <components/resources/session_captions.h>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qtgui {

ClassFilterView::ClassFilterView(std::weak_ptr<client::frmClassFilter> dialog, QWidget* parent)
    : dialog_(std::move(dialog)), widget_(new QWidget(parent)) {
    client::SessionCaptions caption;
    auto text = [&caption](const char* chinese) {
        return QString::fromStdString(caption(chinese));
    };
    auto* layout = new QVBoxLayout(widget_);
    auto* choice = new QGroupBox(text("选单方式"), widget_);
    auto* choices = new QVBoxLayout(choice);
    wholeBills_ = new QRadioButton(text("整单"), choice);
    auto* entries = new QRadioButton(text("分录"), choice);
    entries->setChecked(true);
    choices->addWidget(wholeBills_);
    choices->addWidget(entries);
    layout->addWidget(choice);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(text("确定(&O)"), widget_);
    auto* cancel = new QPushButton(text("取消(&E)"), widget_);
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    QObject::connect(ok, &QPushButton::clicked, ok, [this] {
        RunUserAction([&] {
            if (auto form = dialog_.lock()) form->Confirm(wholeBills_->isChecked());
        });
    });
    QObject::connect(cancel, &QPushButton::clicked, cancel, [this] {
        RunUserAction([&] {
            if (auto form = dialog_.lock()) form->Cancel();
        });
    });
}

}  // namespace qtgui
