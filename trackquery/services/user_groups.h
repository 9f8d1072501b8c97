#pragma once
// The user group control: with the switch "CheckUserGroup" on, a user may open only bills made by
// someone who shares a user group (other than group 0) with them. Both counts go through the
// client's application connection with the ids bound as parameters.

#include <cstdint>

namespace trackquery {

// The groups the session's user shares with the user `billerId`.
int32_t SharedGroupsWithBiller(int32_t billerId);

// The groups the session's user shares with the biller of the task order `taskOrderId`.
int32_t SharedGroupsWithTaskOrderBiller(int32_t taskOrderId);

}  // namespace trackquery
