#pragma once
// The tables the security components read and write. They belong to the ERP schema
// (resources/schema): users, groups (t_Group: FGroupID, FUserID), rights (t_AccessRight: an owner,
// FOwnerType 0 for a user and 1 for a group, holds FAccessMask on the object FObjectType,
// FObjectID) and the system profile (t_SystemProfile: FCategory, FKey, FValue). An action is
// allowed when every bit of its code is in the user's own mask or in the mask of one of the
// user's groups.
//
// The permission service's log is part of the ERP schema too; it is created where an older
// database lacks it:
//   t_AccessLog  FID, FUserID, FFunction (the function's code), FPhase (1 before, 2 after),
//                FDescription, FDate

#include <platform/adodb/connection.h>
#include <platform/adodb/recordset.h>
#include <platform/automation/errors.h>

namespace client {

inline constexpr char kAccessLogSql[] = R"SQL(
CREATE TABLE IF NOT EXISTS t_AccessLog (
    FID INTEGER PRIMARY KEY AUTOINCREMENT,
    FUserID INTEGER NOT NULL,
    FFunction TEXT NOT NULL,
    FPhase INTEGER NOT NULL DEFAULT 0,
    FDescription TEXT NOT NULL,
    FDate TEXT NOT NULL DEFAULT (datetime('now'))
);
)SQL";

// Creates the log where the database lacks it, and gives a log of an older database its phase.
// A server database is made whole by demo-db, and older ones of its kind do not exist.
inline void CreateAccessLogTable(adodb::Connection& cnn) {
    if (cnn.Engine() == adodb::DatabaseEngine::PostgreSQL) return;
    cnn.ExecuteScript(kAccessLogSql);
    try {
        cnn.Execute("SELECT FPhase FROM t_AccessLog WHERE 1 = 0");
    } catch (const automation::RuntimeError&) {
        cnn.Execute("ALTER TABLE t_AccessLog ADD COLUMN FPhase INTEGER NOT NULL DEFAULT 0");
    }
}

}  // namespace client
