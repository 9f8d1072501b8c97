// The design-time menu bar of the tracking window. Each tool is one object shared by the bands
// that show it; a tool with a shorter tool-bar caption keeps its menu caption (with the access
// key) in its Tag. The captions are shown in the session's language, as every text of the
// library is.

#include <trackquery/framework/frmICMOQuery.h>

#include <trackquery/services/MMTS.h>

#include <initializer_list>

namespace trackquery {

namespace {

struct ToolDefinition {
    const char* key;
    const char* caption;
    const char* menuCaption;  // "" when the menu shows the caption itself
};

constexpr ToolDefinition kTools[] = {
    {"btnView", "查看(&V)", ""},
    {"btnPrintPreview", "打印预览", "打印预览(&V)"},
    {"btnPrint", "打印(&P)", ""},
    {"btnPrintSetup", "打印设置", "打印设置(&S)"},
    {"btnExport", "引出内部数据", ""},
    {"btnExit", "退出(&X)", ""},
    {"TitleFont", "设置标题字体", ""},
    {"DetailFont", "设置表格字体", ""},
    {"DetailColor", "设置表格颜色", ""},
    {"OrderSet", "选项设置", ""},
    {"btnOption", "单据显示设置", "单据显示设置(&C)"},
    {"ViewICMOTrack", "生产跟踪", ""},
    {"btnOrderMap", "单据关系图", "单据关系图(&M)"},
    {"btnItem", "查看物料", "查看物料(&I)"},
    {"btnBOM", "查看BOM", "查看BOM(&B)"},
    {"btnRouting", "查看工艺路线", "查看工艺路线(&R)"},
    {"btnBill", "查看单据明细", "查看单据明细(&D)"},
    {"btnSETrace", "查看销售订单全程跟踪", "销售订单跟踪(&S)"},
    {"btnSelectBillOption", "单据选单选项(&O)", ""},
    {"btnShowFilter", "选单时弹出过滤界面(&F)", ""},
    {"btnReturnAllBill", "返回整单(&A)", ""},
    {"btnReturnSelection", "返回条目(&S)", ""},
    {"Cut", "剪切(&T)", ""},
    {"Copy", "复制(&C)", ""},
    {"Paste", "粘贴(&P)", ""},
    {"mnuFilleMenu", "文件(&F)", ""},
    {"mnuOptionsMenu", "选项(&O)", ""},
};

void PlaceTools(activebar::ActiveBar& bar, const char* bandName, activebar::BandType type,
                std::initializer_list<const char*> keys) {
    auto band = bar.GetBands().Add(bandName, type);
    for (const char* key : keys) band->GetTools().Add(bar.GetTools().Item(key));
}

void OpensBand(activebar::ActiveBar& bar, const char* toolKey, const char* bandName) {
    auto tool = bar.GetTools().Item(toolKey);
    tool->SetControlType(activebar::ToolType::Menu);
    tool->SetSubBand(bandName);
}

}  // namespace

void BuildSubMenu(activebar::ActiveBar& bar) {
    using activebar::BandType;
    bar.SetFontName("MS Sans Serif");
    for (const auto& definition : kTools) {
        auto tool = bar.GetTools().Add(definition.key, activebar::ToolType::Button,
                                       LoadResText(definition.caption));
        tool->SetTag(*definition.menuCaption ? LoadResText(definition.menuCaption) : "");
    }
    bar.GetTools().Item("btnPrintSetup")->SetDescription("Set up printer properties");
    bar.GetTools().Item("btnShowFilter")->SetCheckable(true);
    OpensBand(bar, "mnuFilleMenu", "mnuFille");
    OpensBand(bar, "btnView", "mnuView");
    OpensBand(bar, "mnuOptionsMenu", "mnuOptions");
    OpensBand(bar, "btnSelectBillOption", "mnuSelectBillOption");

    PlaceTools(bar, "mnuMain", BandType::MenuBar, {"mnuFilleMenu", "btnView", "mnuOptionsMenu"});
    PlaceTools(bar, "mnuFille", BandType::Popup,
               {"btnPrintPreview", "btnPrint", "btnPrintSetup", "btnExport", "btnExit"});
    PlaceTools(bar, "mnuView", BandType::Popup,
               {"btnItem", "btnBOM", "btnRouting", "btnBill", "btnSETrace", "ViewICMOTrack",
                "btnOrderMap"});
    PlaceTools(
        bar, "mnuOptions", BandType::Popup,
        {"TitleFont", "DetailFont", "DetailColor", "OrderSet", "btnOption", "btnSelectBillOption"});
    PlaceTools(bar, "toolbar", BandType::Toolbar, {"btnPrintPreview", "btnPrint", "btnExport"});
    PlaceTools(
        bar, "bndToolbar", BandType::Toolbar,
        {"btnItem", "btnBOM", "btnRouting", "btnBill", "btnSETrace", "btnOrderMap", "btnExit"});
    PlaceTools(bar, "mnuSelectBillOption", BandType::Popup,
               {"btnShowFilter", "btnReturnAllBill", "btnReturnSelection"});
    PlaceTools(bar, "mnuRight", BandType::Popup, {"Cut", "Copy", "Paste"});
    for (const char* popup :
         {"mnuFille", "mnuView", "mnuOptions", "mnuSelectBillOption", "mnuRight"}) {
        bar.GetBands().Item(popup)->SetVisible(false);
    }
}

}  // namespace trackquery
