// The look of the drawn viewer (fonts, colours from the palette and the user's choices) and what
// it remembers between runs.

#include <faces/qt/trace_viewer/trace_viewer_widget.h>
#include <faces/qt/trace_viewer/view_colours.h>

#include <platform/activebar/tool.h>

#include <QColorDialog>
#include <QEvent>
#include <QFontDialog>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QSplitter>

namespace qtgui {

namespace {

// The view choices a person makes in the viewer's view menu.
constexpr const char* kViewChoices[] = {"btnShowSummaryView", "btnShowDetailView",
                                        "btnShowSummaryTitle", "btnShowTitle"};

// The window of the view, by kind: a stand-alone window and a page of a host window differ.
QString WindowKind(const QWidget& view) {
    return qobject_cast<const QMainWindow*>(view.window()) ? QStringLiteral("host")
                                                           : QStringLiteral("window");
}

}  // namespace

void TraceViewerWidget::ApplyLook() {
    const ViewColours colours = ColoursOf(palette());
    QFont titleFont = look_.titleFont.value_or(font());
    if (!look_.titleFont) titleFont.setBold(true);
    for (QLabel* title : {navigationTitle_, headTitle_, detailTitle_}) {
        QPalette ground = title->palette();
        ground.setColor(QPalette::Window, colours.titleGround);
        ground.setColor(QPalette::WindowText, palette().color(QPalette::WindowText));
        title->setPalette(ground);
        title->setFont(titleFont);
    }
    QFont tableFont = look_.tableFont.value_or(font());
    if (!look_.tableFont && applied_ && applied_->fontPointSize > 0) {
        tableFont.setPointSize(applied_->fontPointSize);
    }
    // Columns fitted to the old font are fitted again.
    if (detailTree_->font() != tableFont) columnWidths_.ForgetFitted();
    for (QWidget* pane :
         std::initializer_list<QWidget*>{navigationTree_, headLines_, detailTree_}) {
        pane->setFont(tableFont);
    }
    detailTree_->setPalette(WithGround(palette(), look_.tableGround));
    detailItems_.SetPalette(detailTree_->palette());
    detailTree_->Relayout();
    detailTree_->viewport()->update();
}

void TraceViewerWidget::SetLook(const ViewerLook& look) {
    look_ = look;
    ApplyLook();
}

bool TraceViewerWidget::RunLookTool(const activebar::Tool& tool) {
    const std::string& key = tool.Name();
    const bool titleFont = key == "TitleFont";
    if (!titleFont && key != "DetailFont" && key != "DetailColor") return false;
    const QString caption = QString::fromStdString(MenuCaption(tool)).remove('&');
    // The view shows each choice while the dialog is open; Cancel takes it back.
    const ViewerLook before = look_;
    ViewerLook chosen = look_;
    bool accepted = false;
    if (key == "DetailColor") {
        QColorDialog dialog(detailTree_->palette().color(QPalette::Base), window());
        dialog.setOption(QColorDialog::DontUseNativeDialog);
        dialog.setWindowTitle(caption);
        connect(&dialog, &QColorDialog::currentColorChanged, &dialog, [&](const QColor& colour) {
            chosen.tableGround = colour;
            SetLook(chosen);
        });
        accepted = dialog.exec() == QDialog::Accepted;
        chosen.tableGround = dialog.selectedColor();
    } else {
        auto& font = titleFont ? chosen.titleFont : chosen.tableFont;
        QFontDialog dialog(titleFont ? headTitle_->font() : detailTree_->font(), window());
        dialog.setOption(QFontDialog::DontUseNativeDialog);
        dialog.setWindowTitle(caption);
        connect(&dialog, &QFontDialog::currentFontChanged, &dialog, [&](const QFont& value) {
            font = value;
            SetLook(chosen);
        });
        accepted = dialog.exec() == QDialog::Accepted;
        font = dialog.selectedFont();
    }
    SetLook(accepted ? chosen : before);
    if (accepted) WriteViewerLook(look_);
    return true;
}

void TraceViewerWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // A theme changed while the view is open: the grounds and texts follow it.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange) {
        ApplyLook();
    }
}

// --- Memory ------------------------------------------------------------------------------------

QString TraceViewerWidget::MemoryName() const {
    auto viewer = viewer_.lock();
    const std::string name = viewer ? viewer->ViewSetting05() : std::string();
    return QString::fromStdString(name.empty() ? "TraceViewer" : name);
}

void TraceViewerWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!restored_) Restore();
}

void TraceViewerWidget::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (restored_) Remember();
}

void TraceViewerWidget::Restore() {
    restored_ = true;
    const RememberedView view = ReadRememberedView(MemoryName());
    if (auto geometry = view.geometry.find(WindowKind(*this)); geometry != view.geometry.end()) {
        if (window() != this) window()->restoreGeometry(geometry->second);
    }
    if (!view.outerSplitter.isEmpty() && outer_->restoreState(view.outerSplitter)) {
        userSized_ = true;
    }
    if (!view.rightSplitter.isEmpty() && right_->restoreState(view.rightSplitter)) {
        userSized_ = true;
    }
    if (auto viewer = viewer_.lock()) {
        for (const char* key : kViewChoices) {
            auto tool = viewer->GetMenuBar()->GetTools().Find(key);
            auto choice = view.viewChoices.find(key);
            // Only a choice the person can make in this view is taken back.
            if (tool && tool->Visible() && choice != view.viewChoices.end()) {
                tool->SetChecked(choice->second);
            }
        }
    }
    columnWidths_.RestoreUserWidths(view.columnWidths);
    Sync();
    detailTree_->Relayout();
}

void TraceViewerWidget::Remember() {
    RememberedView view;
    if (window() != this) view.geometry[WindowKind(*this)] = window()->saveGeometry();
    if (userSized_) {
        view.outerSplitter = outer_->saveState();
        view.rightSplitter = right_->saveState();
    }
    if (auto viewer = viewer_.lock()) {
        for (const char* key : kViewChoices) {
            auto tool = viewer->GetMenuBar()->GetTools().Find(key);
            if (tool && tool->Visible()) view.viewChoices[key] = tool->Checked();
        }
    }
    WriteRememberedLayout(MemoryName(), view);
    WriteColumnWidths(MemoryName(), columnWidths_.UserWidths());
}

}  // namespace qtgui
