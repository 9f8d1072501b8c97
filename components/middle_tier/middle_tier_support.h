#pragma once
// What every operation of the middle tier shares: failures raised the way the server reports
// them, the small readers of caller values, the server's date and record sets made here.
// Internal to the middle tier; the ERP database and the user come from the property string
// through the session's readers (contracts/props_string.h, components/session/session_database.h).

#include <platform/adodb/connection.h>
#include <platform/adodb/recordset.h>
#include <platform/automation/collections.h>
#include <platform/automation/errors.h>
#include <platform/automation/variant.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace client::middle_tier {

// The error number of every failure the server reports (vbObjectError + 1).
inline constexpr int32_t kServerError = automation::vberr::ObjectError + 1;

// Raises a server failure with the source "QzMICMOTrackQuery." + `procedure`.
[[noreturn]] void Fail(const std::string& procedure, const std::string& description);

// Runs one operation. A run-time error inside (the database's, or a std::runtime_error of a library
// underneath, such as a regex or the file system) comes out as a RuntimeError whose source names
// the operation, with the inner source after it. A fault of the program (a logic error, bad_alloc)
// is not a failure of the server and passes unchanged.
template <class Result>
Result Guarded(const std::string& procedure, const std::function<Result()>& body);

// A whole number from a caller's value: numbers, or texts that hold only a whole number.
std::optional<int64_t> WholeNumber(const automation::Variant& value);
// A comma-separated list of whole numbers ("81, 82, 21") or a single number.
std::vector<int64_t> KindList(const automation::Variant& selector);
// True when `name` can stand in SQL as a plain column or view name.
bool IsPlainName(const std::string& name);
// A JSON array of whole numbers, bound as one parameter and read through NumberList.
std::string JsonArray(const std::vector<int64_t>& values);
// The numbers of a JsonArray bound to its one "?", as a table of one column `value` that either
// engine reads: "x IN " + NumberList(db).
std::string NumberList(const adodb::Connection& db);

// The server's current date: the profile Base/SysDate when the database sets one (fixed test
// and demo clocks), else today's date.
automation::DateValue ServerDate(adodb::Connection& db);

// The session's language, as the property string names it: "chs" (also when it names none),
// "cht" or "en".
std::string SessionLanguage(const std::string& props);
// The caption of a template or option row in the session's language: SQL over the columns
// `alias`.FCaption, FCaption_CHT and FCaption_EN, falling back to the Simplified Chinese caption
// where a translation is empty. `alias` is the program's own, never a caller's text.
std::string CaptionIn(const std::string& language, const std::string& alias);

// Puts the labels the server makes itself (the columns named, where a row has them) into the
// session's language, as the caption table translates them; other values stay as they are.
void TranslateLabels(adodb::Connection& db, const adodb::RecordsetPtr& rs,
                     const std::string& language, const std::vector<std::string>& columns);

// A record set made here (not read from the database): fields of any kind, rows appended.
adodb::RecordsetPtr NewRecordset(const std::vector<std::string>& fields);
void AppendRow(const adodb::RecordsetPtr& rs, const std::vector<automation::Variant>& values);

template <class Result>
Result Guarded(const std::string& procedure, const std::function<Result()>& body) {
    try {
        return body();
    } catch (const automation::RuntimeError& error) {
        automation::RaiseAgain(error, "QzMICMOTrackQuery." + procedure);
    } catch (const std::runtime_error& error) {
        automation::RaiseAgain(
            automation::RuntimeError(automation::vberr::AutomationError, "", error.what()),
            "QzMICMOTrackQuery." + procedure);
    }
}

}  // namespace client::middle_tier
