#pragma once
// The contents of every table of an ERP database, table by table, to tell whether a run changed
// anything. The access log is left out: sessions append to it by design.

#include <client/erp_database/sqlite_database.h>

#include <map>
#include <string>

namespace trackquery::testing {

inline std::map<std::string, std::string> TableContents(const std::string& database) {
    client::erp_database::SqliteDatabase db(database, false);
    auto tables = db.Prepare(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name <> 't_AccessLog' ORDER BY "
        "name");
    std::map<std::string, std::string> contents;
    for (bool more = tables.Query({}); more; more = tables.Next()) {
        const std::string table = tables.ColumnText(0);
        auto columns = db.Prepare("SELECT name FROM pragma_table_info(?1)");
        std::string row = "''";
        for (bool column = columns.Query({table}); column; column = columns.Next()) {
            row += " || quote(\"" + columns.ColumnText(0) + "\") || '|'";
        }
        auto rows = db.Prepare("SELECT " + row + " FROM \"" + table + "\" ORDER BY rowid");
        std::string& text = contents[table];
        for (bool line = rows.Query({}); line; line = rows.Next())
            text += rows.ColumnText(0) + "\n";
    }
    return contents;
}

}  // namespace trackquery::testing
