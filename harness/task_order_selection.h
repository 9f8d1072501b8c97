#pragma once
// What the host reads from the ERP database (opened by OpenErpDatabase) before it starts the task
// order tracker: the user's internal ID by name, and the task orders to track with their status
// map, in the shape InitTrack takes them.
//
// Every value that comes from the command line is bound as a parameter. Failures throw
// std::runtime_error with a message meant for the user.

#include <platform/adodb/connection.h>
#include <platform/automation/collections.h>

#include <cstdint>
#include <string>
#include <vector>

namespace harness {

// The most task orders one navigation tree holds.
inline constexpr int32_t kMaxTaskOrders = 32767;

// The sub-systems whose task orders the host tracks, each with the condition of its kind, as the
// tracker itself selects task orders, and the kind's name.
struct SubSystem {
    const char* id;
    const char* kindCondition;
    const char* kindName;
};
inline constexpr SubSystem kSubSystems[] = {
    {"CJ", "FTranType=85 AND FScheduleID=0", "ordinary"},
    {"REPM", "FTranType=85 AND FScheduleID<>0", "repetitive"},
    {"SUBC", "FTranType=571", "outsourced-processing"},
};

struct TaskOrderSelection {
    // Dictionaries with "FInterID" and "FBillNo", in tree order.
    automation::VectorPtr bills;
    // Keyed by the internal ID as text: Dictionaries with "FStatus", "FSuspend", "FCancellation".
    automation::DictionaryPtr status;
    // True when the sub-system held more task orders than one tree takes.
    bool truncated = false;
};

// The internal ID of the user `userName` (exact name). Throws when there is no such user, or the
// user is forbidden to log in.
int32_t LookUpUserId(adodb::Connection& erp, const std::string& userName);

// The task orders of a sub-system's kind (an id of kSubSystems, in any letter case; another id
// throws). With bill numbers, exactly those, in the order given (a number that is not a task order
// of that kind throws, naming it); without, every task order of the kind in bill number order, at
// most kMaxTaskOrders.
TaskOrderSelection SelectTaskOrders(adodb::Connection& erp, const std::string& subId,
                                    const std::vector<std::string>& billNumbers);

}  // namespace harness
