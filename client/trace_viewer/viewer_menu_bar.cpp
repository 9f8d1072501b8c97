#include <client/trace_viewer/viewer_menu_bar.h>

namespace client {

using activebar::BandType;
using activebar::ToolType;

namespace {

void AddCheckedTool(const activebar::BandPtr& band, const char* key, const char* caption) {
    auto tool = band->AddTool(key, ToolType::Button, caption);
    tool->SetCheckable(true);
    tool->SetChecked(true);
}

void AddStandardBand(activebar::ActiveBar& bar) {
    auto band = bar.GetBands().Add(kBandStandard, BandType::Toolbar);
    band->SetCaption("标准");
    band->AddTool("btnRefresh", ToolType::Button, "刷新");
    band->AddTool(kToolViewerPrintPreview, ToolType::Button, "打印预览");
    band->AddTool(kToolViewerPrint, ToolType::Button, "打印");
    band->AddTool(kToolViewerExport, ToolType::Button, "引出");
}

void AddFilterBand(activebar::ActiveBar& bar) {
    auto band = bar.GetBands().Add(kBandFilter, BandType::Toolbar);
    band->SetCaption("选单");
    band->AddTool("txtSelectBills", ToolType::TextBox, "单据号");
    band->AddTool("btnSelectBills", ToolType::Button, "选单");
}

void AddSearchBand(activebar::ActiveBar& bar) {
    auto band = bar.GetBands().Add(kBandSearch, BandType::Toolbar);
    band->SetCaption("定位");
    band->AddTool("txtPosition", ToolType::TextBox, "查找");
    band->AddTool("btnPosition", ToolType::Button, "定位");
}

// The view menu: the tool mnuViewerTitle on the viewer band opens the popup band of view tools.
void AddViewBands(activebar::ActiveBar& bar) {
    auto viewer = bar.GetBands().Add(kBandViewer, BandType::Toolbar);
    viewer->SetCaption("视图");
    auto menu = viewer->AddTool("mnuViewerTitle", ToolType::Menu, "视图");
    menu->SetSubBand(kBandViewerTitle);

    auto popup = bar.GetBands().Add(kBandViewerTitle, BandType::Popup);
    AddCheckedTool(popup, "btnShowSummaryView", "显示汇总信息");
    AddCheckedTool(popup, "btnShowDetailView", "显示详细信息");
    AddCheckedTool(popup, "btnShowSummaryTitle", "显示汇总标题");
    AddCheckedTool(popup, "btnShowTitle", "显示标题");
    AddCheckedTool(popup, "btnShowStandard", "标准工具栏");
    AddCheckedTool(popup, "btnShowViewer", "视图工具栏");
    AddCheckedTool(popup, "btnShowSelectBills", "选单工具栏");
    AddCheckedTool(popup, "btnShowPosition", "定位工具栏");
}

}  // namespace

activebar::ActiveBarPtr CreateViewerMenuBar() {
    auto bar = std::make_shared<activebar::ActiveBar>();
    AddStandardBand(*bar);
    AddViewBands(*bar);
    AddFilterBand(*bar);
    AddSearchBand(*bar);
    return bar;
}

}  // namespace client
