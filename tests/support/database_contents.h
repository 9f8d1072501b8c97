#pragma once
// The contents of every table of an ERP database, table by table, to tell whether a run changed
// anything, on either engine. The access log is left out: sessions append to it by design.

#include <components/erp_database/erp_schema.h>

#include <platform/adodb/connection.h>
#include <platform/automation/conversions.h>
#include <platform/automation/strings.h>

#include <map>
#include <string>
#include <vector>

namespace trackquery::testing {

inline std::map<std::string, std::string> TableContents(const std::string& database) {
    adodb::Connection db;
    db.Open(client::erp_database::ConnectionStringFor(database));
    const bool server = db.Engine() == adodb::DatabaseEngine::PostgreSQL;
    auto tables = db.Execute(
        server ? "SELECT table_name FROM information_schema.tables WHERE table_schema = 'public' "
                 "AND table_type = 'BASE TABLE' AND table_name <> 't_accesslog' ORDER BY 1"
               : "SELECT name FROM sqlite_master WHERE type = 'table' AND name <> 't_AccessLog' "
                 "ORDER BY name");
    std::vector<std::string> names;
    for (; !tables->Eof(); tables->MoveNext()) names.push_back(automation::CStr(tables->Value(0)));

    std::map<std::string, std::string> contents;
    for (const auto& table : names) {
        // Each row as one text: the whole row cast on PostgreSQL, quoted values on SQLite.
        std::string row = "CAST(t AS text)";
        if (!server) {
            row = "''";
            auto columns = db.Execute("SELECT name FROM pragma_table_info(?)", {table});
            for (; !columns->Eof(); columns->MoveNext()) {
                row += " || quote(\"" + automation::CStr(columns->Value(0)) + "\") || '|'";
            }
        }
        auto rows = db.Execute("SELECT " + row + " FROM \"" + table + "\" t ORDER BY 1");
        std::string& text = contents[automation::LCase(table)];
        for (; !rows->Eof(); rows->MoveNext()) text += automation::CStr(rows->Value(0)) + "\n";
    }
    return contents;
}

}  // namespace trackquery::testing
