#pragma once
// The tables the security components read, for databases whose schema does not carry them yet:
//   t_AccessRight       rights granted to one user:  FUserID, FObjectType, FObjectID, FAccessMask
//   t_GroupAccessRight  rights granted to a group:   FGroupID, FObjectType, FObjectID, FAccessMask
//   t_AccessLog         the permission service's log: FUserID, FFunction, FDescription, FDate
//   t_SystemProfile     switches by section and key: FCategory, FKey, FValue
// An action is allowed when every bit of its code is in the user's own mask or in the mask of
// one of the user's groups (t_Group: FGroupID, FUserID).

#include <platform/adodb/connection.h>

namespace client {

inline constexpr char kSecuritySchemaSql[] = R"SQL(
CREATE TABLE IF NOT EXISTS t_Group (
    FGroupID INTEGER NOT NULL,
    FUserID INTEGER NOT NULL,
    PRIMARY KEY (FGroupID, FUserID)
);
CREATE TABLE IF NOT EXISTS t_AccessRight (
    FUserID INTEGER NOT NULL,
    FObjectType INTEGER NOT NULL,
    FObjectID INTEGER NOT NULL,
    FAccessMask INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (FUserID, FObjectType, FObjectID)
);
CREATE TABLE IF NOT EXISTS t_GroupAccessRight (
    FGroupID INTEGER NOT NULL,
    FObjectType INTEGER NOT NULL,
    FObjectID INTEGER NOT NULL,
    FAccessMask INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (FGroupID, FObjectType, FObjectID)
);
CREATE TABLE IF NOT EXISTS t_AccessLog (
    FID INTEGER PRIMARY KEY AUTOINCREMENT,
    FUserID INTEGER NOT NULL,
    FFunction TEXT NOT NULL,
    FDescription TEXT NOT NULL,
    FDate TEXT NOT NULL DEFAULT (datetime('now'))
);
CREATE TABLE IF NOT EXISTS t_SystemProfile (
    FCategory TEXT NOT NULL,
    FKey TEXT NOT NULL,
    FValue TEXT,
    PRIMARY KEY (FCategory, FKey)
);
)SQL";

// Creates the tables above where they are missing.
inline void CreateSecurityTables(adodb::Connection& cnn) { cnn.ExecuteScript(kSecuritySchemaSql); }

}  // namespace client
