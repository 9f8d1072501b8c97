// Registration of the bill components.

#include <components/bills/register_bills.h>

#include <components/bills/bills.h>
#include <components/bills/class_bills.h>
#include <components/bills/gl_view.h>
#include <components/bills/ic_list.h>

#include <contracts/list_control.h>

#include <platform/automation/registry.h>

namespace client {

void RegisterBillComponents() {
    auto& registry = automation::ComponentRegistry::Instance();
    registry.Register(trackquery::kBillsProgId,
                      [] { return std::make_shared<Bills>(trackquery::kBillsProgId); });
    registry.Register(trackquery::kBillsExProgId,
                      [] { return std::make_shared<Bills>(trackquery::kBillsExProgId); });
    registry.Register(trackquery::kSystemDlgProgId, [] { return std::make_shared<SystemDlg>(); });
    registry.Register(trackquery::kDataSrvProgId, [] { return std::make_shared<DataSrv>(); });
    registry.Register(trackquery::kBillLookUpProgId, [] { return std::make_shared<BillLookUp>(); });
    registry.Register(trackquery::kClassInfoManagerProgId,
                      [] { return std::make_shared<ClassInfoManager>(); });
    registry.Register(trackquery::kGLViewProgId, [] { return std::make_shared<GLView>(); });
    registry.Register(trackquery::kICListProgId, [] { return std::make_shared<ICList>(); });
}

}  // namespace client
