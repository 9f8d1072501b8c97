#pragma once
// A PostgreSQL address (libpq's URI or key=value text) as libpq's own parser reads it: checked
// before a connection is tried, shown without what names the user or lets one in, and written
// again without its password. Internal to the connection.

#include <string>
#include <vector>

namespace adodb::internal {

struct AddressOption {
    std::string keyword;
    std::string value;
};
using AddressOptions = std::vector<AddressOption>;

// The options the address sets, in libpq's order. Error 3001 saying what is wrong when libpq
// cannot read the address or one of its values cannot be right (an sslmode libpq does not know, a
// port that is no number, a host that is no host name, address or socket folder); the error never
// repeats the address, which may hold a password.
AddressOptions ReadAddress(const std::string& address);

// Whether the text is meant as an address: libpq reads it as one that sets at least one option,
// or it opens with one of libpq's keywords and "=".
bool IsAddressText(const std::string& text);

// The options as key=value text that libpq reads back to the same options.
std::string AddressText(const AddressOptions& options);

// The options that say which database it is (service, host, port, database name), as a message
// may show them; "(an address that cannot be read)" for a text that is none.
std::string ShownAddress(const std::string& address);

// The options without the password (libpq's "password").
AddressOptions WithoutPassword(const AddressOptions& options);
// The password the options give, or nothing.
std::string PasswordOf(const AddressOptions& options);

// The password this process was given for the address (see adodb::KeepPassword), or nothing.
std::string KeptPassword(const AddressOptions& withoutPassword);

}  // namespace adodb::internal
