#include <components/order_map/order_map_window.h>

#include <components/order_map/order_map_reader.h>
#include <components/resources/session_captions.h>

#include <platform/automation/conversions.h>
#include <platform/automation/errors.h>
#include <platform/automation/registry.h>
#include <platform/windowing/msgbox.h>

namespace client {

namespace {

using automation::Variant;

std::vector<std::shared_ptr<frmOrderMap>>& Windows() {
    static std::vector<std::shared_ptr<frmOrderMap>> windows;
    return windows;
}

int32_t Number(const automation::DictionaryPtr& para, const char* key) {
    return automation::CLngOr(para->Item(key, Variant()), 0);
}

MapRequest RequestOf(const automation::DictionaryPtr& para) {
    MapRequest request;
    request.orderId = Number(para, "FInterID");
    request.entryId = Number(para, "FEntryID");
    request.classTypeId = Number(para, "FClassTypeID");
    request.taskOrderId = Number(para, "ICMOInterID");
    const Variant show = para->Item("ShowAmount", Variant(false));
    request.showAmount = !show.IsNull() && !show.IsEmpty() && automation::CBool(show);
    return request;
}

class OrderMapComponent : public trackquery::IOrderMap {
  public:
    bool Show(const std::string& sProps, const automation::DictionaryPtr& dctPara,
              trackquery::MapBillOpener openBill) override {
        SessionCaptions text;
        if (!dctPara) return false;
        OrderMap map;
        try {
            map = ReadOrderMap(sProps, RequestOf(dctPara));
        } catch (const automation::RuntimeError& error) {
            windowing::MsgBox(text("读取单据关系图失败：") + "\n" + error.Description(),
                              windowing::vbInformation, text("单据关系图"));
            return false;
        }
        auto window = std::make_shared<frmOrderMap>(std::move(map), std::move(openBill));
        window->SetCaption(text("单据关系图") + " - " + window->Map().title);
        Windows().push_back(window);
        window->Show(windowing::vbModeless);
        return true;
    }
};

}  // namespace

frmOrderMap::frmOrderMap(OrderMap map, trackquery::MapBillOpener openBill)
    : windowing::Form("frmOrderMap"), map_(std::move(map)), openBill_(std::move(openBill)) {
    // 1,100 by 700 pixels at 15 twips a pixel: a course of a few weeks fits at a readable size.
    SetClientSize(16500, 10500);
}

bool frmOrderMap::OpenBox(int32_t index) {
    if (index < 0 || index >= static_cast<int32_t>(map_.boxes.size()) || !openBill_) return false;
    const MapBox& box = map_.boxes[index];
    return openBill_({box.kind, box.interId, box.billerId, box.taskOrderType});
}

const std::vector<std::shared_ptr<frmOrderMap>>& OrderMapWindows() { return Windows(); }

void ClearOrderMaps() {
    for (auto& window : Windows()) window->Unload();
    Windows().clear();
}

void RegisterOrderMap() {
    automation::ComponentRegistry::Instance().Register(
        trackquery::kProgIdOrderMap, [] { return std::make_shared<OrderMapComponent>(); });
}

}  // namespace client
