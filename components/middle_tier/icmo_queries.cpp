#include <components/middle_tier/icmo_queries.h>

#include <components/middle_tier/middle_tier_support.h>
#include <components/session/kept_connections.h>
#include <contracts/erp_kinds.h>

#include <platform/automation/conversions.h>
#include <platform/automation/strings.h>

#include <cctype>
#include <map>
#include <regex>
#include <set>

namespace client::middle_tier {

using automation::Variant;
using trackquery::kOperationRecordKind;

namespace {

// The template columns that every query field record set carries, in this order, the caption in
// the session's language.
std::string TemplateColumns(const std::string& language) {
    return "t.FTranType AS FID, t.FTranType, t.FKey, " + CaptionIn(language, "t") +
           " AS FCaption, t.FCaption_CHT, t.FCaption_EN, t.FCtlType, t.FVisible, t.FAlign, "
           "t.FSum, t.FDecimalSrc, t.FFormat, t.FIndex";
}

std::vector<std::string> FieldNames(const adodb::RecordsetPtr& rs) {
    std::vector<std::string> names;
    for (int32_t i = 0; i < rs->FieldCount(); ++i) names.push_back(rs->FieldAt(i).Name);
    return names;
}

// The view a tracked kind is read from, checked to be a plain name before it enters SQL.
std::string KindView(adodb::Connection& db, int64_t kind) {
    auto rs =
        db.Execute("SELECT FViewName FROM ICTrackKind WHERE FTrackType = -85 AND FTranType = ?",
                   {Variant(static_cast<int32_t>(kind))});
    if (rs->Eof()) Fail("TrackedBills", "Bill kind " + std::to_string(kind) + " is not tracked.");
    const std::string view = automation::CStr(rs->Value("FViewName"));
    if (!IsPlainName(view))
        Fail("TrackedBills", "The view of bill kind " + std::to_string(kind) + " is misnamed.");
    return view;
}

struct OperationFilter {
    int32_t billType, operSN, operID;
};

OperationFilter ReadOperationFilter(const std::string& text) {
    static const std::regex pattern(
        R"(^\s*SHWorkBill\.FBillType\s*=\s*(-?\d{1,9})\s+AND\s+SHWorkBillEntry\.FOperSN\s*=\s*)"
        R"((-?\d{1,9})\s+AND\s+SHWorkBillEntry\.FOperID\s*=\s*(-?\d{1,9})\s*$)",
        std::regex::icase);
    std::smatch match;
    if (!std::regex_match(text, match, pattern)) {
        Fail("TrackedBills", "The operation filter is not understood: " + text);
    }
    return {std::stoi(match[1]), std::stoi(match[2]), std::stoi(match[3])};
}

}  // namespace

adodb::RecordsetPtr QueryFields(adodb::Connection& db, int32_t trackType, const Variant& selector,
                                const std::string& language) {
    const std::vector<int64_t> kinds = KindList(selector);
    return db.Execute("SELECT " + TemplateColumns(language) +
                          " FROM ICTrackTemplate t WHERE t.FTrackType = ? AND t.FTranType IN " +
                          NumberList(db) + " ORDER BY t.FTranType, t.FIndex",
                      {Variant(trackType), Variant(JsonArray(kinds))});
}

adodb::RecordsetPtr TaskOrderHead(adodb::Connection& db, int32_t interId) {
    auto head = db.Execute("SELECT * FROM VTrackICMOHead WHERE FInterID = ?", {Variant(interId)});
    // The head carries the server date beside the row's own columns; a record set read from
    // the database cannot grow a field, so the row is copied into one made here.
    std::vector<std::string> names = FieldNames(head);
    names.push_back("FSysDate");
    auto result = NewRecordset(names);
    const Variant today = ServerDate(db);
    for (; !head->Eof(); head->MoveNext()) {
        std::vector<Variant> values;
        for (int32_t i = 0; i < head->FieldCount(); ++i) values.push_back(head->Value(i));
        values.push_back(today);
        AppendRow(result, values);
    }
    if (result->RecordCount() > 0) result->MoveFirst();
    return result;
}

namespace {

// The SELECT of a kind's bills: FRowID, then the template columns in template order, then the
// rest of the view's columns, from the kind's view; the parent's id is its one parameter.
std::string TrackedBillsSelect(adodb::Connection& db, int64_t kind) {
    const std::string view = KindView(db, kind);
    const std::vector<std::string> viewColumns =
        FieldNames(db.Execute("SELECT * FROM " + view + " WHERE 0"));
    std::set<std::string> available, listed;
    for (const auto& name : viewColumns) available.insert(automation::UCase(name));

    // FRowID, then the template columns in template order, then the rest of the view.
    std::string columns = "FParentID AS FRowID";
    listed.insert("FPARENTID");
    auto fields = db.Execute(
        "SELECT FKey FROM ICTrackTemplate WHERE FTrackType = -85 AND FTranType = ? ORDER BY FIndex",
        {Variant(static_cast<int32_t>(kind))});
    for (; !fields->Eof(); fields->MoveNext()) {
        const std::string key = automation::CStr(fields->Value("FKey"));
        const std::string upper = automation::UCase(key);
        if (!IsPlainName(key) || !available.count(upper)) {
            Fail("TrackedBills", "The template of bill kind " + std::to_string(kind) +
                                     " names the column \"" + key + "\", which its bills lack.");
        }
        if (listed.insert(upper).second) columns += ", " + key;
    }
    for (const auto& name : viewColumns) {
        if (listed.insert(automation::UCase(name)).second) columns += ", " + name;
    }

    return "SELECT " + columns + " FROM " + view + " WHERE FParentID = ?";
}

}  // namespace

namespace {

// The kind's SELECT with the operation filter, and its parameters.
struct BillsQuery {
    std::string sql;
    std::vector<Variant> parameters;
};

// The order of a node's bills.
const std::vector<std::string> kBillOrder{"FBillNO", "FEntryID", "FBillInterID"};

BillsQuery WithFilter(std::string select, int32_t parentId, int64_t kind,
                      const std::string& operationFilter) {
    BillsQuery query{std::move(select), {Variant(parentId)}};
    if (!operationFilter.empty() && operationFilter.find_first_not_of(" \t") != std::string::npos) {
        if (kind != kOperationRecordKind) {
            Fail("TrackedBills", "Only operation records take an operation filter.");
        }
        const OperationFilter filter = ReadOperationFilter(operationFilter);
        query.sql += " AND FBillType = ? AND FOperSN = ? AND FOperID = ?";
        query.parameters.insert(
            query.parameters.end(),
            {Variant(filter.billType), Variant(filter.operSN), Variant(filter.operID)});
    }
    return query;
}

// The bills in the order of kBillOrder. They are put in order here rather than by the database:
// sorting the view's whole rows costs SQLite or the server (shared by every clerk) about as much
// as reading them, and the bills of a node, entered one after another, mostly come in order
// already. Both engines then give one order, texts byte by byte and Null first.
adodb::RecordsetPtr Ordered(adodb::RecordsetPtr bills) {
    bills->OrderRows(kBillOrder);
    return bills;
}

// The bills read with the SELECT remembered from an earlier call, or null when none is
// remembered or the database was written since (the rows then come with a SELECT worked out
// anew). On a server, whether it was written comes with the rows.
adodb::RecordsetPtr WithRememberedSelect(adodb::Connection& db, const std::string& key,
                                         int32_t parentId, int64_t kind,
                                         const std::string& operationFilter) {
    const std::string* known = Remembered(db, key);
    if (!known) return nullptr;
    const BillsQuery query = WithFilter(*known, parentId, kind, operationFilter);
    try {
        auto rows = db.Execute(query.sql, query.parameters);
        if (RememberedStillHolds(db)) return Ordered(std::move(rows));
    } catch (const automation::RuntimeError&) {
        if (RememberedStillHolds(db)) throw;
        // The templates or the view changed under the remembered SELECT: the read transaction
        // starts again, the failure having spoiled it on a server.
        if (db.InTransaction()) {
            db.RollbackTrans();
            db.BeginTrans();
        }
    }
    return nullptr;
}

}  // namespace

adodb::RecordsetPtr TrackedBills(adodb::Connection& db, int32_t parentId, int64_t kind,
                                 const std::string& operationFilter) {
    // The kind's SELECT is read from the templates once per kept connection.
    const std::string key = "TrackedBills " + std::to_string(kind);
    if (auto rows = WithRememberedSelect(db, key, parentId, kind, operationFilter)) return rows;
    const std::string select = TrackedBillsSelect(db, kind);
    Remember(db, key, select);
    const BillsQuery query = WithFilter(select, parentId, kind, operationFilter);
    return Ordered(db.Execute(query.sql, query.parameters));
}

adodb::RecordsetPtr TaskOrderOperations(adodb::Connection& db, int32_t interId) {
    return db.Execute(
        "SELECT w.FBillType, e.FOperID, e.FOperSN, o.FName AS FOperName, "
        "MIN(e.FDetailID) AS FKeyInterID "
        "FROM SHWorkBill w JOIN SHWorkBillEntry e ON e.FInterID = w.FInterID "
        "JOIN t_Operation o ON o.FOperID = e.FOperID WHERE w.FICMOInterID = ? "
        "GROUP BY w.FBillType, e.FOperSN, e.FOperID, o.FName ORDER BY w.FBillType, e.FOperSN",
        {Variant(interId)});
}

adodb::RecordsetPtr TaskOrderInfo(adodb::Connection& db, const automation::VectorPtr& list) {
    std::vector<int64_t> ids;
    if (list) {
        for (const Variant& item : list->Items()) {
            Variant id = item;
            if (item.IsObject()) {
                auto entry = item.As<automation::Dictionary>();
                id = entry ? entry->Item("FInterID", Variant()) : Variant();
            }
            const auto number = WholeNumber(id);
            if (!number) Fail("TaskOrderInfo", "The task order list holds an item without an id.");
            ids.push_back(*number);
        }
    }
    return db.Execute(
        "SELECT FInterID, FBillNo, FStatus, FSuspend, FCancellation FROM ICMO "
        "WHERE FInterID IN " +
            NumberList(db) + " ORDER BY FInterID",
        {Variant(JsonArray(ids))});
}

automation::DictionaryPtr StockQuantities(adodb::Connection& db, const adodb::RecordsetPtr& rows) {
    auto result = std::make_shared<automation::Dictionary>();
    if (!rows) return result;
    auto cursor = rows->Clone();  // the caller's cursor stays where it was
    std::map<int64_t, double> byItem;
    for (; !cursor->Eof(); cursor->MoveNext()) {
        const auto item = WholeNumber(cursor->Value("FItemID"));
        if (!item) Fail("StockQuantities", "A bill row has no material id (FItemID).");
        auto found = byItem.find(*item);
        if (found == byItem.end()) {
            auto stock =
                db.Execute("SELECT IFNULL(SUM(FQty), 0) AS FQty FROM ICInventory WHERE FItemID = ?",
                           {Variant(static_cast<int32_t>(*item))});
            found = byItem.emplace(*item, automation::CDbl(stock->Value("FQty"))).first;
        }
        const std::string key = automation::CStr(cursor->Value("FBillNO")) +
                                automation::CStr(cursor->Value("FEntryID"));
        result->SetItem(key, Variant(found->second));
    }
    return result;
}

namespace {

// Where the one SELECT statement of `sql` ends (its ";" or the end of the text), or npos when the
// text is not exactly one SELECT statement.
size_t SelectStatementEnd(const std::string& sql) {
    constexpr size_t kNotOne = std::string::npos;
    // Skip blanks and comments, then expect SELECT; a ";" may end the text but nothing may
    // follow it except blanks and comments.
    size_t i = 0;
    auto skipSpaceAndComments = [&](size_t& p) {
        for (;;) {
            while (p < sql.size() && std::isspace(static_cast<unsigned char>(sql[p]))) ++p;
            if (sql.compare(p, 2, "--") == 0) {
                p = sql.find('\n', p);
                if (p == std::string::npos) p = sql.size();
            } else if (sql.compare(p, 2, "/*") == 0) {
                const auto end = sql.find("*/", p + 2);
                p = end == std::string::npos ? sql.size() : end + 2;
            } else {
                return;
            }
        }
    };
    skipSpaceAndComments(i);
    if (automation::UCase(sql.substr(i, 6)) != "SELECT") return kNotOne;
    if (i + 6 < sql.size() &&
        (std::isalnum(static_cast<unsigned char>(sql[i + 6])) || sql[i + 6] == '_')) {
        return kNotOne;
    }
    // A ";" outside quotes ends the statement; only blanks and comments may follow it.
    char quote = 0;
    for (size_t p = i; p < sql.size(); ++p) {
        const char c = sql[p];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"' || c == '[') {
            quote = c == '[' ? ']' : c;
        } else if (sql.compare(p, 2, "--") == 0 || sql.compare(p, 2, "/*") == 0) {
            size_t q = p;
            skipSpaceAndComments(q);
            p = q - 1;
        } else if (c == ';') {
            size_t rest = p + 1;
            skipSpaceAndComments(rest);
            return rest >= sql.size() ? p : kNotOne;
        }
    }
    return quote == 0 ? sql.size() : kNotOne;
}

}  // namespace

adodb::RecordsetPtr ReadOnlyRows(adodb::Connection& db, const std::string& sql) {
    const size_t end = SelectStatementEnd(sql);
    if (end == std::string::npos) {
        Fail("GetRs", "Only a single SELECT statement may be run here; the statement was refused.");
    }
    return db.Execute(sql.substr(0, end));
}

}  // namespace client::middle_tier
