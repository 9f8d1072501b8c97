#pragma once
// Reads an ADO connection string ("Key=Value;Key2=Value2") for a connection. Keys
// ignore letter case and blanks around them; a value may be quoted with " or ' to hold a ";",
// the quote doubled inside it ("a ""b"" c"). Provider, Data Source and Mode may each be given
// once only.
// Keys the connection does not use (User ID, Persist Security Info, ...) are accepted and left
// alone, as a provider ignores properties it does not know.

#include <string>
#include <utility>
#include <vector>

namespace adodb {
enum class DatabaseEngine;
}

namespace adodb::internal {

enum class OpenMode { ReadWrite, Read, Create };

struct ConnectionSettings {
    DatabaseEngine engine;
    std::string dataSource;
    OpenMode mode = OpenMode::ReadWrite;
    bool modeGiven = false;  // the string names Mode
};

// Error 3706 for a provider other than SQLite or PostgreSQL, 3001 for a text that cannot be read
// or lacks a Data Source.
ConnectionSettings ParseConnectionString(const std::string& text);

// The "Key=Value" parts of a connection string in order, quotes taken off; error 3001 for a text
// that cannot be read. The error never repeats the text, which may hold a password.
std::vector<std::pair<std::string, std::string>> ConnectionPairs(const std::string& text);

// Whether a key of a connection string holds a password (ADO's Password and Pwd).
bool IsPasswordKey(const std::string& key);

}  // namespace adodb::internal
