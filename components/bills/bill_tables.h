#pragma once
// Where the ERP keeps the head of each bill kind: the client's bill components know the table,
// the key column and the bill number column of every transaction type and class type they can
// open. Table and column names come only from this fixed map, never from a caller.

#include <cstdint>
#include <optional>
#include <string>

namespace client {

struct BillTable {
    std::string Table;
    std::string KeyColumn;
    std::string NumberColumn;  // empty when the bill has no number of its own
};

// The head table of a transaction type (the sign is ignored) or of a class type (above 9999).
std::optional<BillTable> FindBillTable(int32_t kind);

}  // namespace client
