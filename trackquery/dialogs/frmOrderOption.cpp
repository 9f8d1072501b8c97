// The order tracking option dialog.

#include <trackquery/dialogs/frmOrderOption.h>

#include <contracts/erp_kinds.h>
#include <trackquery/services/MMTS.h>

#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>

#include <functional>
#include <utility>

namespace trackquery {

namespace {

// The option of each box, in the order the dialog writes them back.
constexpr const char* kSavedOrder[] = {"ShowInform",     "ShowInvoice", "ShowSaleOut",
                                       "ShowPreReceive", "ShowMO",      "ShowReceive",
                                       "ShowLC",         "ShowAmount",  "ShowFilter"};

// A box's place in its frame (twips from the frame's corner): one column, a row each.
constexpr int32_t kBoxLeft = 240;
constexpr int32_t kBoxWidth = 4215;
constexpr int32_t kBoxHeight = 255;

}  // namespace

frmOrderOption::frmOrderOption() : windowing::Form("frmOrderOption") {
    SetClientSize(4935, 4455);
    SetFontName("宋体");

    FrmBill = Add<windowing::Frame>("FrmBill");
    FrmBill->Move(120, 120, 4695, 2655);
    ChkInform = AddBox("ChkInform", *FrmBill, 240);
    ChkSaleOut = AddBox("ChkSaleOut", *FrmBill, 570);
    ChkMO = AddBox("ChkMO", *FrmBill, 900);
    ChkLC = AddBox("ChkLC", *FrmBill, 1230);
    ChkInvoice = AddBox("ChkInvoice", *FrmBill, 1560);
    ChkPreReceive = AddBox("ChkPreReceive", *FrmBill, 1890);
    ChkReceive = AddBox("ChkReceive", *FrmBill, 2220);

    FrmOther = Add<windowing::Frame>("FrmOther");
    FrmOther->Move(120, 2880, 4695, 975);
    ChkAmount = AddBox("ChkAmount", *FrmOther, 240);
    ChkFilter = AddBox("ChkFilter", *FrmOther, 570);

    CmdOK = Add<windowing::CommandButton>("CmdOK");
    CmdOK->Move(2160, 3960, 1215, 375);
    CmdCancel = Add<windowing::CommandButton>("CmdCancel");
    CmdCancel->Move(3600, 3960, 1215, 375);

    // The handlers reach the form through `this` only, so the controls never keep it alive.
    for (auto* box : {&ChkInform, &ChkSaleOut, &ChkMO, &ChkLC, &ChkInvoice, &ChkPreReceive,
                      &ChkReceive, &ChkAmount}) {
        (*box)->OnClick = [this] { BillBox_Click(); };
    }
    CmdOK->OnClick = [this] { CmdOK_Click(); };
    CmdCancel->OnClick = [this] { CmdCancel_Click(); };
}

std::shared_ptr<windowing::CheckBox> frmOrderOption::AddBox(const char* name,
                                                            windowing::Frame& frame, int32_t top) {
    auto box = Add<windowing::CheckBox>(name);
    box->SetContainer(&frame);
    box->Move(kBoxLeft, top, kBoxWidth, kBoxHeight);
    box->SetFontName("宋体");
    return box;
}

void frmOrderOption::Form_Load() {
    // The boxes set here raise their clicks; those are not the user's.
    struct LoadingScope {
        bool& loading;
        ~LoadingScope() { loading = false; }
    } scope{m_Loading};
    m_Loading = true;
    SetCaptions();
    SetFormFont(*this);
    if (!m_OrderOption) m_OrderOption = std::make_shared<automation::Dictionary>();
    SetBoxFromOption(*ChkInform, "ShowInform");
    SetBoxFromOption(*ChkInvoice, "ShowInvoice");
    SetBoxFromOption(*ChkSaleOut, "ShowSaleOut");
    SetBoxFromOption(*ChkPreReceive, "ShowPreReceive");
    SetBoxFromOption(*ChkMO, "ShowMO");
    SetBoxFromOption(*ChkReceive, "ShowReceive");
    // Letters of credit belong to export orders only.
    const bool exportOrders = m_ClassTypeID == kExportOrderClass;
    ChkLC->SetEnabled(exportOrders);
    if (exportOrders) {
        SetBoxFromOption(*ChkLC, "ShowLC");
    } else {
        ChkLC->SetValue(windowing::vbUnchecked);
    }
    ChkLC->SetVisible(exportOrders);
    SetBoxFromOption(*ChkAmount, "ShowAmount");
    SetBoxFromOption(*ChkFilter, "ShowFilter");
}

// Each caption is set on its own: one that cannot be translated leaves the others set.
void frmOrderOption::SetCaptions() {
    const std::pair<std::function<void(std::string)>, const char*> captions[] = {
        {[this](std::string text) { SetCaption(std::move(text)); }, "选项设置"},
        {[this](std::string text) { FrmBill->SetCaption(std::move(text)); }, "单据显示设置"},
        {[this](std::string text) { ChkInform->SetCaption(std::move(text)); },
         "显示发货（出运）/退货（退运）通知单"},
        {[this](std::string text) { ChkSaleOut->SetCaption(std::move(text)); }, "显示销售出库单"},
        {[this](std::string text) { ChkMO->SetCaption(std::move(text)); }, "显示生产任务单"},
        {[this](std::string text) { ChkLC->SetCaption(std::move(text)); }, "显示出口信用证"},
        {[this](std::string text) { ChkInvoice->SetCaption(std::move(text)); }, "显示销售发票"},
        {[this](std::string text) { ChkPreReceive->SetCaption(std::move(text)); }, "显示预收款单"},
        {[this](std::string text) { ChkReceive->SetCaption(std::move(text)); }, "显示收/退款单"},
        {[this](std::string text) { FrmOther->SetCaption(std::move(text)); }, "其他设置"},
        {[this](std::string text) { ChkAmount->SetCaption(std::move(text)); }, "显示金额"},
        {[this](std::string text) { ChkFilter->SetCaption(std::move(text)); },
         "选单时弹出序时簿过滤界面"},
        {[this](std::string text) { CmdOK->SetCaption(std::move(text)); }, "确定(O)"},
        {[this](std::string text) { CmdCancel->SetCaption(std::move(text)); }, "取消(&E)"},
    };
    for (const auto& [set, text] : captions) {
        try {
            set(LoadResText(text));
        } catch (const automation::RuntimeError&) {
            // The next caption is set all the same.
        }
    }
}

// An option missing from the Dictionary counts as on: the box is shown checked.
void frmOrderOption::SetBoxFromOption(windowing::CheckBox& box, const char* key) {
    const automation::Variant value = m_OrderOption->Item(key, automation::Variant(int16_t{1}));
    const bool on = !value.IsNull() && !value.IsEmpty() && automation::CBool(value);
    box.SetValue(on ? windowing::vbChecked : windowing::vbUnchecked);
}

void frmOrderOption::BillBox_Click() {
    if (!m_Loading) m_SelChange = true;
}

void frmOrderOption::CmdOK_Click() {
    const std::shared_ptr<windowing::CheckBox> boxes[] = {ChkInform,     ChkInvoice, ChkSaleOut,
                                                          ChkPreReceive, ChkMO,      ChkReceive,
                                                          ChkLC,         ChkAmount,  ChkFilter};
    for (size_t i = 0; i < std::size(boxes); ++i) {
        m_OrderOption->SetItem(kSavedOrder[i],
                               int32_t{boxes[i]->Value() == windowing::vbChecked ? 1 : 0});
    }
    m_SelOK = true;
    Hide();
}

void frmOrderOption::CmdCancel_Click() {
    m_SelOK = false;
    Hide();
}

}  // namespace trackquery
