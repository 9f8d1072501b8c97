#include <faces/qt/trace_viewer/viewer_status_bar.h>

#include <faces/qt/trace_viewer/status_icons.h>

#include <QHBoxLayout>
#include <QLabel>

namespace qtgui {

namespace {

constexpr int kMarkSize = 12;

void SetTextIfChanged(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
    const bool shown = !text.isEmpty();
    if (label->isVisibleTo(label->parentWidget()) != shown) label->setVisible(shown);
}

}  // namespace

QString StatusWordsText(int32_t image, const std::function<QString(const std::string&)>& caption) {
    QStringList words;
    for (const auto& word : StatusWords(image)) words << caption(word);
    return words.join(QStringLiteral(" / "));
}

ViewerStatusBar::ViewerStatusBar(std::function<QString(const std::string&)> caption,
                                 QWidget* parent)
    : QWidget(parent), caption_(std::move(caption)) {
    setObjectName("statusBar");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 1, 4, 1);
    layout->setSpacing(12);
    failure_ = new QLabel(this);
    failure_->setObjectName("status");
    failure_->setWordWrap(true);
    // Both the ground and the text are fixed: the warning reads alike on every theme.
    failure_->setStyleSheet("QLabel { background: #fbe3e3; color: #c00000; padding: 2px; }");
    failure_->hide();
    note_ = new QLabel(this);
    note_->setObjectName("panelNote");
    note_->setStyleSheet("QLabel { background: #fff1c2; color: #5c4300; padding: 2px; }");
    note_->hide();
    counts_ = new QLabel(this);
    counts_->setObjectName("counts");
    legend_ = MakeLegend();
    layout->addWidget(failure_, 1);
    layout->addWidget(note_);
    layout->addStretch();
    layout->addWidget(counts_);
    layout->addWidget(legend_);
}

QWidget* ViewerStatusBar::MakeLegend() {
    auto* legend = new QWidget(this);
    legend->setObjectName("legend");
    auto* layout = new QHBoxLayout(legend);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    for (int32_t image : StatusImages()) {
        auto* mark = new QLabel(legend);
        mark->setObjectName(QStringLiteral("status%1").arg(image));
        mark->setPixmap(StatusIcon(image).pixmap(kMarkSize, kMarkSize));
        mark->setToolTip(StatusWordsText(image, caption_));
        layout->addWidget(mark);
    }
    return legend;
}

void ViewerStatusBar::SetFailure(const QString& text) { SetTextIfChanged(failure_, text); }

void ViewerStatusBar::SetNote(const QString& text) { SetTextIfChanged(note_, text); }

void ViewerStatusBar::SetCounts(int orders, const QString& node, int rows) {
    QString text = caption_("订单数：%1").arg(orders);
    if (!node.isEmpty())
        text += QStringLiteral("    ") + caption_("%1：%2 行").arg(node, QString::number(rows));
    SetTextIfChanged(counts_, text);
}

}  // namespace qtgui
