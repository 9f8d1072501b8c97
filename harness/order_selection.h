#pragma once
// The sales or export orders the host hands to sales order tracking, read from the ERP database
// by number. Every value that comes from the command line is bound as a parameter; failures throw
// std::runtime_error with a message meant for the user.

#include <platform/adodb/connection.h>
#include <platform/automation/collections.h>

#include <cstdint>
#include <string>
#include <vector>

namespace harness {

// The orders of the class (81 sales orders, 1007100 export orders) named by "NUMBER" or
// "NUMBER:ENTRY", in the order given: Dictionaries with "FInterID", "FBillNo" and, for an entry,
// "FEntryID". A number that is no order of that class, or an entry the order lacks, throws naming
// it.
automation::VectorPtr SelectSalesOrders(adodb::Connection& erp, int32_t classTypeId,
                                        const std::vector<std::string>& orders);

}  // namespace harness
