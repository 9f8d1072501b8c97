#pragma once
// A record set's row as a Dictionary of field name and value, the form in which the bill lists
// and bill windows hand rows on.

#include <platform/adodb/recordset.h>
#include <platform/automation/collections.h>

namespace adodb {

// The current row's values by field name; a name that repeats keeps its last field's value, as
// setting them one by one would. 3021 without a current row.
automation::DictionaryPtr CurrentRowAsDictionary(const Recordset& rows);

}  // namespace adodb
