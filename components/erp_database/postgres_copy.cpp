#include <components/erp_database/postgres_copy.h>

#include <components/erp_database/erp_schema.h>
#include <components/erp_database/sqlite_database.h>

#include <platform/adodb/connection.h>
#include <platform/automation/errors.h>
#include <platform/automation/strings.h>

#include <sqlite3.h>

#include <regex>
#include <set>
#include <stdexcept>
#include <vector>

namespace client::erp_database {

using automation::Variant;

namespace {

constexpr int32_t kCopyStatementSeconds = 600;

// Rows sent to the server at a time: large enough that the round trips do not count, small
// enough that a table of millions of rows is never held whole.
constexpr size_t kRowsPerLoad = 20000;

struct SchemaObject {
    std::string type;  // table, view or index
    std::string name;
    std::string sql;
};

// The tables, views and indexes of the SQLite file, in the order they were made (a view after
// the tables and views it reads).
std::vector<SchemaObject> SchemaObjects(SqliteDatabase& source) {
    std::vector<SchemaObject> objects;
    auto statement = source.Prepare(
        "SELECT type, name, sql FROM sqlite_master WHERE sql IS NOT NULL AND name NOT LIKE "
        "'sqlite_%' ORDER BY rowid");
    for (bool row = statement.Query({}); row; row = statement.Next()) {
        objects.push_back(
            {statement.ColumnText(0), statement.ColumnText(1), statement.ColumnText(2)});
    }
    return objects;
}

// One row of a SQLite statement as values for the server: the text of a date column is sent as
// text, which the server reads into its timestamp column.
std::vector<Variant> RowValues(sqlite3_stmt* statement, int columns) {
    std::vector<Variant> values;
    values.reserve(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c) {
        switch (sqlite3_column_type(statement, c)) {
            case SQLITE_NULL:
                values.emplace_back(automation::Null);
                break;
            case SQLITE_INTEGER:
                values.emplace_back(static_cast<int64_t>(sqlite3_column_int64(statement, c)));
                break;
            case SQLITE_FLOAT:
                values.emplace_back(sqlite3_column_double(statement, c));
                break;
            default: {
                const auto* text = sqlite3_column_text(statement, c);
                values.emplace_back(
                    std::string(reinterpret_cast<const char*>(text),
                                static_cast<size_t>(sqlite3_column_bytes(statement, c))));
            }
        }
    }
    return values;
}

void CopyRows(SqliteDatabase& source, adodb::Connection& target, const std::string& table) {
    sqlite3_stmt* raw = nullptr;
    const int prepared = sqlite3_prepare_v2(
        source.Handle(), ("SELECT * FROM \"" + table + "\"").c_str(), -1, &raw, nullptr);
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> rows(raw, sqlite3_finalize);
    if (prepared != SQLITE_OK) {
        throw std::runtime_error("Cannot read the table " + table + ": " +
                                 sqlite3_errmsg(source.Handle()));
    }
    const int columns = sqlite3_column_count(raw);
    std::vector<std::string> names;
    for (int c = 0; c < columns; ++c) names.emplace_back(sqlite3_column_name(raw, c));
    std::vector<std::vector<Variant>> batch;
    int rc;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        batch.push_back(RowValues(raw, columns));
        if (batch.size() == kRowsPerLoad) {
            target.BulkInsert(table, names, batch);
            batch.clear();
        }
    }
    if (rc != SQLITE_DONE) {
        throw std::runtime_error("Cannot read the table " + table + ": " +
                                 sqlite3_errmsg(source.Handle()));
    }
    if (!batch.empty()) target.BulkInsert(table, names, batch);
}

// The names of every column and view written with capitals, as the schema writes them.
std::set<std::string> MixedCaseNames(SqliteDatabase& source,
                                     const std::vector<SchemaObject>& objects) {
    std::set<std::string> names;
    auto keep = [&](const std::string& name) {
        if (automation::LCase(name) != name) names.insert(name);
    };
    for (const auto& object : objects) {
        if (object.type == "index") continue;
        keep(object.name);
        auto columns = source.Prepare("SELECT name FROM pragma_table_info(?)");
        for (bool row = columns.Query({object.name}); row; row = columns.Next()) {
            keep(columns.ColumnText(0));
        }
    }
    return names;
}

void WriteNameCatalogue(adodb::Connection& target, const std::set<std::string>& names) {
    target.Execute("CREATE TABLE trackquery_names (name text PRIMARY KEY)");
    std::vector<std::vector<Variant>> rows;
    std::set<std::string> folded;
    for (const auto& name : names) {
        // Two spellings of one name ("FBillNo", "FBillNO") keep the first.
        if (folded.insert(automation::LCase(name)).second) rows.push_back({Variant(name)});
    }
    target.BulkInsert("trackquery_names", {"name"}, rows);
}

// What the copy replaces: the ERP objects of an earlier copy, views first.
void DropEarlierCopy(adodb::Connection& target, const std::vector<SchemaObject>& objects) {
    for (const char* type : {"view", "table"}) {
        for (const auto& object : objects) {
            if (object.type != type) continue;
            target.Execute(std::string("DROP ") + type + " IF EXISTS \"" + object.name +
                           "\" CASCADE");
        }
    }
    target.Execute("DROP TABLE IF EXISTS trackquery_names");
}

// An identity key goes on after the largest key copied.
void AdvanceIdentities(adodb::Connection& target, const SchemaObject& table) {
    static const std::regex identity(R"((\w+)\s+INTEGER\s+PRIMARY\s+KEY\s+AUTOINCREMENT)",
                                     std::regex::icase);
    std::smatch match;
    if (!std::regex_search(table.sql, match, identity)) return;
    const std::string column = automation::LCase(match[1].str());
    const std::string name = automation::LCase(table.name);
    target.Execute("SELECT setval(pg_get_serial_sequence('" + name + "', '" + column +
                   "'), COALESCE(MAX(" + column + "), 0) + 1, false) FROM " + name);
}

}  // namespace

std::string PostgresTableDefinition(const std::string& sqliteDefinition) {
    struct Rewrite {
        std::regex pattern;
        const char* replacement;
    };
    static const std::vector<Rewrite> rewrites = [] {
        const auto flags = std::regex::icase | std::regex::ECMAScript;
        std::vector<Rewrite> list;
        list.push_back({std::regex(R"(\bINTEGER\s+PRIMARY\s+KEY\s+AUTOINCREMENT\b)", flags),
                        "bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"});
        // A column's declared type follows its name at the start of a line or after "(" or ",".
        list.push_back({std::regex(R"((^|[(,\n])(\s*\w+\s+)INTEGER\b)", flags), "$1$2bigint"});
        list.push_back(
            {std::regex(R"((^|[(,\n])(\s*\w+\s+)REAL\b)", flags), "$1$2double precision"});
        list.push_back({std::regex(R"((^|[(,\n])(\s*\w+\s+)DATE\b)", flags), "$1$2timestamp(0)"});
        list.push_back({std::regex(R"(\(datetime\('now'\)\))", flags),
                        "(to_char(LOCALTIMESTAMP, 'YYYY-MM-DD HH24:MI:SS'))"});
        // Comments would hide what follows them on the line once lines are joined.
        list.push_back({std::regex(R"(--[^\n]*)", flags), ""});
        return list;
    }();
    std::string text = sqliteDefinition;
    for (const auto& rewrite : rewrites) {
        text = std::regex_replace(text, rewrite.pattern, rewrite.replacement);
    }
    return text;
}

void CopyIntoPostgres(const std::string& sqlitePath, const std::string& address) {
    SqliteDatabase source(sqlitePath, false);
    const std::vector<SchemaObject> objects = SchemaObjects(source);

    adodb::Connection target;
    target.Open(ConnectionStringFor(address));
    // Copying a large database takes minutes where a tracking query takes seconds.
    target.SetCommandTimeout(kCopyStatementSeconds);
    target.BeginTrans();
    try {
        DropEarlierCopy(target, objects);
        target.ExecuteScript(
            ReadSqlFile(ResourceDirectory() / "schema" / "postgresql" / "functions.sql"));
        for (const auto& object : objects) {
            if (object.type != "table") continue;
            target.Execute(PostgresTableDefinition(object.sql));
            CopyRows(source, target, object.name);
            AdvanceIdentities(target, object);
        }
        for (const auto& object : objects) {
            if (object.type == "view") target.ExecuteScript(object.sql);
        }
        for (const auto& object : objects) {
            if (object.type == "index") target.Execute(object.sql);
        }
        WriteNameCatalogue(target, MixedCaseNames(source, objects));
        target.CommitTrans();
    } catch (...) {
        try {
            target.RollbackTrans();
        } catch (const automation::RuntimeError&) {
            // The server is gone: it took the transaction back itself.
        }
        throw;
    }
    // The planner's statistics, as ANALYZE gave the SQLite file: of the tables just made, which
    // are the user's own (a plain ANALYZE would go through every table of the database and warn
    // of each one only its owner or a superuser may analyse).
    std::string tables;
    for (const auto& object : objects) {
        if (object.type == "table")
            tables += (tables.empty() ? "" : ", ") + automation::LCase(object.name);
    }
    if (!tables.empty()) target.Execute("ANALYZE " + tables);
}

}  // namespace client::erp_database
