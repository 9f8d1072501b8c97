#pragma once
// Per-user option sets of the tracking views: window options (tool check states) and option
// choices (tracked bill kinds of task order tracking, switches of sales order tracking).

#include <platform/adodb/connection.h>
#include <platform/adodb/recordset.h>
#include <platform/automation/collections.h>

#include <cstdint>
#include <string>
#include <vector>

namespace client::middle_tier {

// Window options are written under the window key and read with the key followed by "Frm":
// the suffix is taken off before the look-up. Rows FKey, FValue (0 or 1).
adodb::RecordsetPtr ReadWindowOptions(adodb::Connection& db, const std::string& key,
                                      int32_t userId);
// Replaces the user's window options of `key` with the Dictionary's entries (values read as
// yes/no). Nothing is written when a value is no yes/no.
void SaveWindowOptions(adodb::Connection& db, const std::string& key, int32_t userId,
                       const automation::DictionaryPtr& options);

// The options of a set for a user, sorted by FKey: FID, FKey, FCaption, FValue (the saved
// choice, or the default when the user never saved one), FCaption in `language` ("chs", "cht",
// "en"). `chosenOnly` keeps FValue = 1 rows.
adodb::RecordsetPtr ReadOptionChoice(adodb::Connection& db, const std::string& optionKey,
                                     int32_t userId, bool chosenOnly, const std::string& language);

// Reads a chosen-keys text: keys in single quotes separated by commas ("'A01-85' ,'P00-52' ");
// "'NoKeySetOn'" alone means none. Anything else is refused with a message naming the fault.
std::vector<std::string> ParseChosenKeys(const std::string& text);

// Saves the choice: every option of the set gets 1 when its key is chosen, else 0. Keys that are
// not options of the set are refused and nothing is written.
void SaveOptionChoice(adodb::Connection& db, const std::string& optionKey, int32_t userId,
                      const std::string& chosenKeys);

}  // namespace client::middle_tier
