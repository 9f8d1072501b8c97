// The head tables of the bill kinds.

#include <components/bills/bill_tables.h>

#include <cstdlib>
#include <map>

namespace client {

namespace {

const std::map<int64_t, BillTable>& BillTables() {
    static const std::map<int64_t, BillTable> tables = {
        {1, {"ICStockBill", "FInterID", "FBillNo"}},
        {2, {"ICStockBill", "FInterID", "FBillNo"}},
        {5, {"ICStockBill", "FInterID", "FBillNo"}},
        {21, {"ICStockBill", "FInterID", "FBillNo"}},
        {24, {"ICStockBill", "FInterID", "FBillNo"}},
        {28, {"ICStockBill", "FInterID", "FBillNo"}},
        {29, {"ICStockBill", "FInterID", "FBillNo"}},
        {41, {"ICStockBill", "FInterID", "FBillNo"}},
        {137, {"ICStockBill", "FInterID", "FBillNo"}},
        {50, {"ICBOM", "FInterID", "FBOMNumber"}},
        {500, {"ICBOM", "FInterID", "FBOMNumber"}},
        {51, {"t_Routing", "FInterID", "FRoutingNumber"}},
        {52, {"SHWorkBill", "FInterID", "FBillNo"}},
        {54, {"ICMO", "FInterID", "FBillNo"}},
        {80, {"ICSale", "FInterID", "FBillNo"}},
        {81, {"SEOrder", "FInterID", "FBillNo"}},
        {82, {"SEOutStock", "FInterID", "FBillNo"}},
        {85, {"ICMO", "FInterID", "FBillNo"}},
        {86, {"ICSale", "FInterID", "FBillNo"}},
        {88, {"PPBOM", "FInterID", "FBillNo"}},
        {501, {"ICSubstitute", "FInterID", ""}},
        {502, {"SHOperBill", "FInterID", "FBillNo"}},
        {551, {"ICMORpt", "FInterID", "FBillNo"}},
        {571, {"ICMO", "FInterID", "FBillNo"}},
        {581, {"SHOperBill", "FInterID", "FBillNo"}},
        {582, {"SHOperBill", "FInterID", "FBillNo"}},
        {1000005, {"t_RPReceipt", "FInterID", "FBillNo"}},
        {1000015, {"t_RPReceipt", "FInterID", "FBillNo"}},
        {1000034, {"t_RPReceipt", "FInterID", "FBillNo"}},
        {1002504, {"SHOperBill", "FInterID", "FBillNo"}},
        {1007100, {"SEOrder", "FInterID", "FBillNo"}},
        {1007132, {"t_ExpLC", "FInterID", "FBillNo"}},
    };
    return tables;
}

}  // namespace

std::optional<BillTable> FindBillTable(int32_t kind) {
    const auto found = BillTables().find(std::llabs(static_cast<int64_t>(kind)));
    if (found == BillTables().end()) return std::nullopt;
    return found->second;
}

}  // namespace client
