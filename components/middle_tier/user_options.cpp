#include <components/middle_tier/user_options.h>

#include <components/middle_tier/middle_tier_support.h>

#include <platform/automation/conversions.h>
#include <platform/automation/strings.h>

#include <set>

namespace client::middle_tier {

using automation::Variant;

namespace {

constexpr const char* kWindowSuffix = "Frm";
constexpr const char* kNoneChosen = "NoKeySetOn";

std::string WithoutWindowSuffix(const std::string& key) {
    const std::string suffix = kWindowSuffix;
    if (key.size() >= suffix.size() &&
        key.compare(key.size() - suffix.size(), suffix.size(), suffix) == 0) {
        return key.substr(0, key.size() - suffix.size());
    }
    return key;
}

// Runs `body` inside a transaction; a failure rolls everything back.
template <class Body>
void InTransaction(adodb::Connection& db, Body body) {
    db.BeginTrans();
    try {
        body();
        db.CommitTrans();
    } catch (...) {
        db.RollbackTrans();
        throw;
    }
}

// Two sessions of one user may save the same options at once. SQLite lets one writer in at a
// time; on PostgreSQL the second would delete before the first commits and then insert rows the
// first has written, so a save of the same options waits here for the other to end.
void WaitForOtherSaves(adodb::Connection& db, const std::string& table, const std::string& key,
                       int32_t userId) {
    if (db.Engine() != adodb::DatabaseEngine::PostgreSQL) return;
    db.Execute("SELECT pg_advisory_xact_lock(hashtext(?))",
               {Variant(table + "|" + key + "|" + std::to_string(userId))});
}

}  // namespace

adodb::RecordsetPtr ReadWindowOptions(adodb::Connection& db, const std::string& key,
                                      int32_t userId) {
    return db.Execute(
        "SELECT FKey, FValue FROM ICTrackFrmOption WHERE FOptionKey = ? AND FUserID = ? "
        "ORDER BY FKey",
        {Variant(WithoutWindowSuffix(key)), Variant(userId)});
}

void SaveWindowOptions(adodb::Connection& db, const std::string& key, int32_t userId,
                       const automation::DictionaryPtr& options) {
    // Every value is read before anything is written, so a bad value writes nothing.
    std::vector<std::pair<std::string, int32_t>> rows;
    if (options) {
        for (int32_t i = 1; i <= options->Count(); ++i) {
            bool flag = false;
            try {
                flag = automation::CBool(options->ItemAt(i));
            } catch (const automation::RuntimeError&) {
                Fail("SetFrmOption", "The window option \"" + options->Key(i) +
                                         "\" holds a value that is not yes or no.");
            }
            rows.emplace_back(options->Key(i), flag ? 1 : 0);
        }
    }
    InTransaction(db, [&] {
        WaitForOtherSaves(db, "ICTrackFrmOption", key, userId);
        db.Execute("DELETE FROM ICTrackFrmOption WHERE FOptionKey = ? AND FUserID = ?",
                   {Variant(key), Variant(userId)});
        for (const auto& [name, value] : rows) {
            db.Execute(
                "INSERT INTO ICTrackFrmOption (FOptionKey, FUserID, FKey, FValue) "
                "VALUES (?, ?, ?, ?)",
                {Variant(key), Variant(userId), Variant(name), Variant(value)});
        }
    });
}

adodb::RecordsetPtr ReadOptionChoice(adodb::Connection& db, const std::string& optionKey,
                                     int32_t userId, bool chosenOnly, const std::string& language) {
    // The caption in the session's language, where the caption table translates it.
    const std::string caption = language == "chs"
                                    ? "d.FCaption"
                                    : "CASE WHEN c.FCaption IS NULL THEN d.FCaption ELSE " +
                                          CaptionIn(language, "c") + " END";
    const std::string choice =
        "SELECT d.FID, d.FKey, " + caption +
        " AS FCaption, "
        "CASE WHEN EXISTS (SELECT 1 FROM ICTrackOptionUser s WHERE s.FOptionKey = d.FOptionKey "
        "AND s.FUserID = ?) THEN IFNULL(u.FValue, 0) ELSE d.FDefault END AS FValue "
        "FROM ICTrackOptionDef d LEFT JOIN ICTrackOptionUser u ON u.FOptionKey = d.FOptionKey "
        "AND u.FUserID = ? AND u.FKey = d.FKey LEFT JOIN ICTrackCaption c ON c.FCaption = "
        "d.FCaption WHERE d.FOptionKey = ?";
    const std::string sql =
        chosenOnly ? "SELECT * FROM (" + choice + ") chosen WHERE FValue = 1 ORDER BY FKey"
                   : choice + " ORDER BY d.FKey";
    return db.Execute(sql, {Variant(userId), Variant(userId), Variant(optionKey)});
}

std::vector<std::string> ParseChosenKeys(const std::string& text) {
    std::vector<std::string> keys;
    size_t p = 0;
    auto skipBlanks = [&] {
        while (p < text.size() && (text[p] == ' ' || text[p] == '\t')) ++p;
    };
    skipBlanks();
    if (p == text.size()) Fail("SetBillOption", "No option key was given.");
    for (;;) {
        if (text[p] != '\'') {
            Fail("SetBillOption", "The chosen keys must each stand in single quotes: " + text);
        }
        const auto close = text.find('\'', p + 1);
        if (close == std::string::npos) {
            Fail("SetBillOption", "A chosen key lacks its closing quote: " + text);
        }
        const std::string key = text.substr(p + 1, close - p - 1);
        if (key.empty()) Fail("SetBillOption", "An empty option key was given: " + text);
        keys.push_back(key);
        p = close + 1;
        skipBlanks();
        if (p == text.size()) break;
        if (text[p] != ',') {
            Fail("SetBillOption", "The chosen keys must be separated by commas: " + text);
        }
        ++p;
        skipBlanks();
        if (p == text.size()) Fail("SetBillOption", "The chosen keys end with a comma: " + text);
    }
    if (keys.size() == 1 && keys.front() == kNoneChosen) keys.clear();
    return keys;
}

void SaveOptionChoice(adodb::Connection& db, const std::string& optionKey, int32_t userId,
                      const std::string& chosenKeys) {
    const std::vector<std::string> chosen = ParseChosenKeys(chosenKeys);
    auto definitions =
        db.Execute("SELECT FKey FROM ICTrackOptionDef WHERE FOptionKey = ?", {Variant(optionKey)});
    std::set<std::string> known;
    for (; !definitions->Eof(); definitions->MoveNext()) {
        known.insert(automation::CStr(definitions->Value("FKey")));
    }
    if (known.empty()) Fail("SetBillOption", "There is no option set \"" + optionKey + "\".");
    std::set<std::string> chosenSet;
    for (const auto& key : chosen) {
        if (!known.count(key)) {
            Fail("SetBillOption", "\"" + key + "\" is not an option of \"" + optionKey + "\".");
        }
        chosenSet.insert(key);
    }
    InTransaction(db, [&] {
        WaitForOtherSaves(db, "ICTrackOptionUser", optionKey, userId);
        db.Execute("DELETE FROM ICTrackOptionUser WHERE FOptionKey = ? AND FUserID = ?",
                   {Variant(optionKey), Variant(userId)});
        for (const auto& key : known) {
            db.Execute(
                "INSERT INTO ICTrackOptionUser (FOptionKey, FUserID, FKey, FValue) "
                "VALUES (?, ?, ?, ?)",
                {Variant(optionKey), Variant(userId), Variant(key),
                 Variant(int32_t{chosenSet.count(key) ? 1 : 0})});
        }
    });
}

}  // namespace client::middle_tier
