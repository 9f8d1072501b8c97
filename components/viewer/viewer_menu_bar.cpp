#include <components/viewer/viewer_menu_bar.h>

#include <components/resources/session_captions.h>

namespace client {

using activebar::BandType;
using activebar::ToolType;

namespace {

void AddCheckedTool(const activebar::BandPtr& band, const char* key, const std::string& caption) {
    auto tool = band->AddTool(key, ToolType::Button, caption);
    tool->SetCheckable(true);
    tool->SetChecked(true);
}

void AddStandardBand(activebar::ActiveBar& bar, SessionCaptions& text) {
    auto band = bar.GetBands().Add(kBandStandard, BandType::Toolbar);
    band->SetCaption(text("标准"));
    band->AddTool("btnRefresh", ToolType::Button, text("刷新"));
    band->AddTool(kToolViewerPrintPreview, ToolType::Button, text("打印预览"));
    band->AddTool(kToolViewerPrint, ToolType::Button, text("打印"));
    band->AddTool(kToolViewerExport, ToolType::Button, text("引出"));
}

void AddFilterBand(activebar::ActiveBar& bar, SessionCaptions& text) {
    auto band = bar.GetBands().Add(kBandFilter, BandType::Toolbar);
    band->SetCaption(text("选单"));
    band->AddTool("txtSelectBills", ToolType::TextBox, text("单据号"));
    band->AddTool("btnSelectBills", ToolType::Button, text("选单"));
}

void AddSearchBand(activebar::ActiveBar& bar, SessionCaptions& text) {
    auto band = bar.GetBands().Add(kBandSearch, BandType::Toolbar);
    band->SetCaption(text("定位"));
    band->AddTool("txtPosition", ToolType::TextBox, text("查找"));
    band->AddTool("btnPosition", ToolType::Button, text("定位"));
}

// The view menu: the tool mnuViewerTitle on the viewer band opens the popup band of view tools.
void AddViewBands(activebar::ActiveBar& bar, SessionCaptions& text) {
    auto viewer = bar.GetBands().Add(kBandViewer, BandType::Toolbar);
    viewer->SetCaption(text("视图"));
    auto menu = viewer->AddTool("mnuViewerTitle", ToolType::Menu, text("视图"));
    menu->SetSubBand(kBandViewerTitle);

    auto popup = bar.GetBands().Add(kBandViewerTitle, BandType::Popup);
    AddCheckedTool(popup, "btnShowSummaryView", text("显示汇总信息"));
    AddCheckedTool(popup, "btnShowDetailView", text("显示详细信息"));
    AddCheckedTool(popup, "btnShowSummaryTitle", text("显示汇总标题"));
    AddCheckedTool(popup, "btnShowTitle", text("显示标题"));
    AddCheckedTool(popup, "btnShowStandard", text("标准工具栏"));
    AddCheckedTool(popup, "btnShowViewer", text("视图工具栏"));
    AddCheckedTool(popup, "btnShowSelectBills", text("选单工具栏"));
    AddCheckedTool(popup, "btnShowPosition", text("定位工具栏"));
}

}  // namespace

activebar::ActiveBarPtr CreateViewerMenuBar() {
    auto bar = std::make_shared<activebar::ActiveBar>();
    SessionCaptions captions;
    AddStandardBand(*bar, captions);
    AddViewBands(*bar, captions);
    AddFilterBand(*bar, captions);
    AddSearchBand(*bar, captions);
    return bar;
}

}  // namespace client
