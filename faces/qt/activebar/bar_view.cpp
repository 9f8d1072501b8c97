#include <faces/qt/activebar/bar_view.h>

#include <faces/qt/activebar/tool_text_box.h>
#include <faces/qt/windowing/user_action.h>

#include <QAction>
#include <QBoxLayout>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace qtgui {

using activebar::BandType;
using activebar::ToolPtr;
using activebar::ToolType;

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

std::string MenuCaption(const activebar::Tool& tool) {
    return tool.Tag().empty() ? tool.Caption() : tool.Tag();
}

BarView::BarView(QMenuBar* menuBar, QWidget* toolArea, Callbacks callbacks)
    : menuBar_(menuBar), toolArea_(toolArea), callbacks_(std::move(callbacks)) {}

BarView::~BarView() = default;

void BarView::SetBars(std::vector<activebar::ActiveBarPtr> bars) {
    bars_ = std::move(bars);
    structure_.clear();
    Sync();
}

void BarView::SetOffered(std::function<bool(const activebar::Tool&)> offered) {
    offered_ = std::move(offered);
}

std::string BarView::Structure() const {
    std::string structure;
    for (const auto& bar : bars_) {
        for (const auto& band : bar->GetBands().Items()) {
            structure += band->Name() + ":" + std::to_string(static_cast<int>(band->Type())) + "[";
            for (const auto& tool : band->GetTools().Items()) structure += tool->Name() + ",";
            structure += "]";
        }
        structure += "|";
    }
    return structure;
}

void BarView::Clear() {
    placements_.clear();
    for (auto& [name, toolBar] : toolBars_) delete toolBar.data();
    toolBars_.clear();
    for (auto& action : menuBarActions_) {
        if (action) menuBar_->removeAction(action);
    }
    menuBarActions_.clear();
    for (auto& [name, popup] : popups_) delete popup.data();
    popups_.clear();
}

void BarView::Rebuild() {
    Clear();
    for (const auto& bar : bars_) {
        for (const auto& band : bar->GetBands().Items()) {
            if (band->Type() == BandType::Popup) BuildPopup(*bar, *band);
        }
    }
    for (const auto& bar : bars_) {
        for (const auto& band : bar->GetBands().Items()) {
            if (band->Type() == BandType::MenuBar) AddMenuBarBand(*bar, *band);
            if (band->Type() == BandType::Toolbar) AddToolBarBand(*bar, *band);
        }
    }
}

QMenu* BarView::BuildPopup(const activebar::ActiveBar& bar, const activebar::Band& band) {
    if (auto found = popups_.find(band.Name()); found != popups_.end() && found->second) {
        return found->second;
    }
    auto* menu = new QMenu(Text(band.Caption()), menuBar_);
    menu->setObjectName(Text(band.Name()));
    popups_[band.Name()] = menu;
    for (const auto& tool : band.GetTools().Items()) {
        if (tool->ControlType() == ToolType::Menu) {
            auto sub = bar.GetBands().Find(tool->SubBand());
            if (!sub) continue;
            QMenu* subMenu = BuildPopup(bar, *sub);
            subMenu->setTitle(Text(MenuCaption(*tool)));
            placements_.push_back({tool, band.Name(), menu->addMenu(subMenu), nullptr});
        } else {
            AddButton(menu, tool, band.Name(), true);
        }
    }
    return menu;
}

void BarView::AddMenuBarBand(const activebar::ActiveBar& bar, const activebar::Band& band) {
    for (const auto& tool : band.GetTools().Items()) {
        auto sub =
            tool->ControlType() == ToolType::Menu ? bar.GetBands().Find(tool->SubBand()) : nullptr;
        if (!sub) {
            AddButton(menuBar_, tool, band.Name(), true);
            continue;
        }
        QMenu* menu = BuildPopup(bar, *sub);
        menu->setTitle(Text(MenuCaption(*tool)));
        QAction* action = menuBar_->addMenu(menu);
        menuBarActions_.push_back(action);
        placements_.push_back({tool, band.Name(), action, nullptr});
    }
}

void BarView::AddToolBarBand(const activebar::ActiveBar& bar, const activebar::Band& band) {
    auto* toolBar = new QToolBar(Text(band.Caption()), toolArea_);
    toolBar->setObjectName(Text(band.Name()));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // A row that ends in a stretch keeps it last, so the tool bars stand together on the left.
    if (auto* row = qobject_cast<QBoxLayout*>(toolArea_->layout())) {
        row->insertWidget(std::max(0, row->count() - 1), toolBar);
    } else if (toolArea_->layout()) {
        toolArea_->layout()->addWidget(toolBar);
    }
    toolBars_[band.Name()] = toolBar;
    for (const auto& tool : band.GetTools().Items()) {
        if (tool->ControlType() == ToolType::TextBox) {
            AddTextBox(toolBar, tool, band.Name());
        } else if (tool->ControlType() == ToolType::Menu && bar.GetBands().Find(tool->SubBand())) {
            QMenu* menu = BuildPopup(bar, *bar.GetBands().Find(tool->SubBand()));
            QAction* action = toolBar->addAction(Text(tool->Caption()));
            action->setMenu(menu);
            if (auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(action))) {
                button->setPopupMode(QToolButton::InstantPopup);
            }
            placements_.push_back({tool, band.Name(), action, nullptr});
        } else {
            AddButton(toolBar, tool, band.Name(), false);
        }
    }
}

void BarView::AddButton(QWidget* container, const ToolPtr& tool, const std::string& band,
                        bool inMenu) {
    auto* action = new QAction(Text(inMenu ? MenuCaption(*tool) : tool->Caption()), container);
    action->setObjectName(Text(tool->Name()));
    action->setCheckable(tool->Checkable());
    if (!tool->Description().empty()) action->setStatusTip(Text(tool->Description()));
    container->addAction(action);
    if (container == menuBar_) menuBarActions_.push_back(action);
    QObject::connect(action, &QAction::triggered, action, [this, tool] {
        RunUserAction([&] {
            if (callbacks_.click) callbacks_.click(tool);
        });
    });
    placements_.push_back({tool, band, action, nullptr});
}

void BarView::AddTextBox(QToolBar* toolBar, const ToolPtr& tool, const std::string& band) {
    auto* box = new ToolTextBox(
        tool,
        [this, tool, band](int32_t keyCode) {
            RunUserAction([&] {
                if (callbacks_.textKeyDown) callbacks_.textKeyDown(tool, band, keyCode);
            });
        },
        toolBar);
    QAction* action = toolBar->addWidget(box);
    placements_.push_back({tool, band, action, box});
}

void BarView::Sync() {
    const std::string structure = Structure();
    if (structure != structure_) {
        Rebuild();
        structure_ = structure;
    }
    for (auto& placement : placements_) SyncPlacement(placement);
    for (const auto& bar : bars_) {
        for (const auto& band : bar->GetBands().Items()) {
            auto toolBar = toolBars_.find(band->Name());
            if (toolBar != toolBars_.end() && toolBar->second &&
                toolBar->second->isVisibleTo(toolArea_) != band->Visible()) {
                toolBar->second->setVisible(band->Visible());
            }
        }
    }
    for (const auto& bar : bars_) {
        auto focused = bar->FocusedTool();
        if (!focused || focused == focused_) continue;
        focused_ = focused;
        if (auto* box = TextBoxOf(focused->Name())) box->setFocus();
    }
}

void BarView::SyncPlacement(Placement& placement) {
    const auto& tool = *placement.tool;
    if (!placement.action) return;
    QAction& action = *placement.action;
    // A hidden menu-bar band hides its menus; tool-bar bands hide as a whole (Sync).
    const bool shown = tool.Visible() && BandShown(placement.band) && (!offered_ || offered_(tool));
    if (action.isVisible() != shown) action.setVisible(shown);
    if (action.isEnabled() != tool.Enabled()) action.setEnabled(tool.Enabled());
    if (action.isCheckable() && action.isChecked() != tool.Checked()) {
        action.setChecked(tool.Checked());
    }
    if (placement.textBox && placement.textBox->text() != Text(tool.Text())) {
        placement.textBox->setText(Text(tool.Text()));
    }
}

bool BarView::BandShown(const std::string& name) const {
    for (const auto& bar : bars_) {
        auto band = bar->GetBands().Find(name);
        if (band && band->Type() == BandType::MenuBar) return band->Visible();
    }
    return true;
}

QAction* BarView::ActionOf(const std::string& toolKey, const std::string& band) const {
    for (const auto& placement : placements_) {
        if (placement.tool->Name() == toolKey && (band.empty() || placement.band == band)) {
            return placement.action;
        }
    }
    return nullptr;
}

QLineEdit* BarView::TextBoxOf(const std::string& toolKey) const {
    for (const auto& placement : placements_) {
        if (placement.textBox && placement.tool->Name() == toolKey) return placement.textBox;
    }
    return nullptr;
}

QMenu* BarView::PopupOf(const std::string& band) const {
    auto found = popups_.find(band);
    return found == popups_.end() ? nullptr : found->second.data();
}

QToolBar* BarView::ToolBarOf(const std::string& band) const {
    auto found = toolBars_.find(band);
    return found == toolBars_.end() ? nullptr : found->second.data();
}

}  // namespace qtgui
