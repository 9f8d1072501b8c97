#pragma once
// The ERP's numbers that more than one layer names: the classes of sales orders, the bill kinds
// and bill lists that the trackers and the client's components both treat specially, and the
// execution phases of a sales order. Each lives here once, so that it means one thing everywhere.
// The template families of the middle tier are in middle_tier.h, the actions of the permission
// service in security.h.

#include <array>
#include <cstdint>

namespace trackquery {

// Classes of sales orders (SEOrder.FClassTypeID): the class a sales order tracker runs for.
inline constexpr int32_t kSalesOrderClass = 81;        // "销售订单"
inline constexpr int32_t kExportOrderClass = 1007100;  // "外销订单"

// The operation record kind (FID) of task order tracking: the work bills of one operation.
inline constexpr int32_t kOperationRecordKind = -52;

// Task orders keep their repetitive production apart by this ICMO.FType.
inline constexpr int32_t kRepetitiveTaskOrderType = 11060;

// The execution phases of a sales order by transaction type, in the order of its detail: the
// order, export letter of credit, notice, sales outbound, sales invoice, sales receipt and
// production task order.
inline constexpr std::array<int32_t, 7> kSalesOrderPhases = {81, 1007132, 82, 21, 80, 1000034, 85};

// The bill lists ("序时薄") from which orders are chosen.
inline constexpr int32_t kSalesOrderList = 32;
inline constexpr int32_t kTaskOrderList = 36;
inline constexpr int32_t kOutsourcedTaskOrderList = 620;

}  // namespace trackquery
