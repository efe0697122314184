#pragma once
// The tool's connection strings are written for the SQL Server OLE DB provider
// ("Provider=SQLOLEDB;data source=...;initial catalog=...;User ID=...;Password=;").
// ODBC takes a different keyword set and quoting; this is the translation, kept free of
// any database call so that every rule can be checked on its own.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace basADODB {

// keyword=value pairs as the provider reads them: split at ";" (a value in double or
// single quotes may hold ";", its own quote doubled), keywords ignoring case and the
// blanks around them, unquoted values without their surrounding blanks, empty pieces
// skipped. A piece without "=" or an unterminated quote throws a common::Failure.
std::vector<std::pair<std::string, std::string>> ParseOleDbConnectionString(std::string_view text);

// The ODBC connection string for `driver` (the name the driver manager knows, e.g.
// platform::SqlServerOdbcDriver()). Only the five keywords the tool writes are
// understood; any other keyword, or a provider other than SQLOLEDB, throws a
// common::Failure, so nothing a server name smuggles in reaches the driver as a keyword.
std::string OdbcConnectionString(std::string_view oleDbText, std::string_view driver);

// `value` as an ODBC connection-string value: in braces, with "}" doubled, whenever a
// character of it would otherwise end or change the attribute.
std::string OdbcValue(std::string_view value);

}  // namespace basADODB
