#pragma once
// Texts an attacker or a careless paste could type into any box: quotes of every kind, SQL
// comments, stacked statements, UNION, LIKE and glob wildcards, the syntax of connection and
// property strings, format and shell specials, control characters and very long text.

#include <string>
#include <vector>

namespace host_test {

inline std::vector<std::string> InjectionPayloads() {
    std::vector<std::string> payloads = {
        "'",
        "''",
        "\"",
        "`",
        "\xE2\x80\x99",  // U+2019 right single quotation mark
        "\xEF\xBC\x87",  // U+FF07 fullwidth apostrophe
        "\xE2\x80\x98",  // U+2018
        "\xCA\xBC",      // U+02BC modifier letter apostrophe
        "' OR '1'='1",
        "' OR 1=1 --",
        "\" OR \"\"=\"",
        "') OR ('a'='a",
        "WORK000001' --",
        "WORK000001'/*",
        "*/ OR 1=1 /*",
        "-- ",
        "#",
        "; DROP TABLE ICMO; --",
        "'; DELETE FROM t_User; --",
        "x'; UPDATE ICMO SET FQty=0; --",
        "x\xE2\x80\x99; DROP TABLE ICMO; --",
        "x\xEF\xBC\x87; DROP TABLE ICMO; --",
        "' UNION SELECT FUserID, FName, 0, 0, 0 FROM t_User --",
        "' UNION ALL SELECT NULL,NULL,NULL,NULL,NULL --",
        "1) UNION SELECT sqlite_version(",
        "%",
        "%%",
        "_",
        "__________",
        "%' OR FBillNo LIKE '%",
        "[A-Z]%",
        "*",
        "?",
        "WORK*",
        "\\",
        "\\'",
        "\\%",
        "x\\' OR 1=1 --",
        "0x27",
        "CHAR(39)",
        "ConnectString={Data Source=/tmp/x.db}",
        "}",
        "{",
        ";UserID=1;",
        "Data Source=other.db;Mode=Create",
        "%1",
        "%s%s%s%n",
        "{0}",
        "$(touch /tmp/trackquery-pwned)",
        "`id`",
        "${HOME}",
        "../../etc/passwd",
        "\t",
        std::string("A\0B", 3),
        std::string("\0", 1),
        "\x1B[2J",
        "\xFF\xFE",
        "\xE4\xB8",  // a UTF-8 character cut in two
        "生产任务单'--",
        "   ",
        std::string(300, '\''),
        std::string(50000, 'A'),
        std::string(2000, '%'),
    };
    return payloads;
}

}  // namespace host_test
