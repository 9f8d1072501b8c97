#pragma once
// The three kinds of production task order that tracking knows, and what each kind decides across
// both trackers: which sub-system starts it, the key under which its options are kept, how its
// task orders are found in ICMO and in the bill lists, and how one of them is opened. Task order
// tracking reads the row of its own kind; sales order tracking picks the kind of the task orders
// it hands over.

#include <contracts/erp_kinds.h>

#include <cstdint>
#include <string>

namespace trackquery {

struct TaskOrderKind {
    int32_t tranType;             // -85 ordinary, -54 repetitive, -571 outsourced processing
    const char* subId;            // the sub-system that tracks this kind ("CJ", "REPM", "SUBC")
    const char* optionKey;        // key of the user's options ("ICMOTrack", ...)
    const char* rootText;         // the navigation root's text (Chinese, through LoadResText)
    const char* icmoCondition;    // the kind's task orders as a condition on ICMO
    int32_t selectionListId;      // the bill list that offers them
    const char* selectionFilter;  // the condition on that list's view v1
    int32_t viewObjectId;         // permission object (type 1022) guarding the view of one
    int32_t billType;             // bill window type that opens one
    int32_t showMode;             // show mode of that window
    int32_t billTranType;         // transaction type the bill window is given
    const char* moduleName;       // the client module that owns the kind's bills (55, 88, 551)
};

// The kind with this transaction type (-85, -54, -571), or nullptr.
const TaskOrderKind* TaskOrderKindOf(int32_t tranType);
// The kind that a sub-system tracks (upper-cased comparison), or nullptr.
const TaskOrderKind* TaskOrderKindOfSubsystem(const std::string& subId);

// The kind of the task orders that sales order tracking hands over: repetitive ones of
// transaction type 85 (FType 11060) are tracked as -54, the others as their negated type.
int32_t TaskOrderTranTypeOf(int32_t transactionType, int32_t fType);

// True for the bill kinds (FID) of task orders themselves: -85 and -571. Their released status
// reads "下达" where other bills read "审核".
bool IsTaskOrderBillKind(int32_t kind);

// The client module whose bill window opens a tracked bill of this transaction type: "xs" for
// the sales kinds (orders, invoices), a task order kind's own module for its task orders, and ""
// for the others, which each tracker places itself.
std::string ModuleOfTrackedBill(int32_t tranType);

}  // namespace trackquery
