// The OLE DB -> ODBC connection-string translation on any text, and on the tool's own
// connection string around any server name. A text is either refused with a failure of
// the tool's own kind, or translated so that an ODBC driver, reading the result by the
// ODBC rules, finds the driver first, each keyword once, and every value exactly as the
// provider would have read it. Around a server name, the catalog and login stay the
// tool's own whatever the name holds.
// Input: one byte choosing the driver and the form, then the text.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/failure.h"
#include "connection/connection_strings.h"
#include "connection/odbc_connection_string.h"
#include "fuzz_check.h"

namespace {

using Attributes = std::vector<std::pair<std::string, std::string>>;

// An ODBC connection string as a driver reads it: keyword=value pairs ended by ";", a
// value in braces running to the "}" that is not doubled.
std::optional<Attributes> ReadOdbc(std::string_view text) {
  Attributes attributes;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t equals = text.find('=', pos);
    if (equals == std::string_view::npos) return std::nullopt;
    std::string keyword(text.substr(pos, equals - pos));
    if (keyword.find_first_of(";{}") != std::string::npos) return std::nullopt;
    pos = equals + 1;
    std::string value;
    if (pos < text.size() && text[pos] == '{') {
      for (++pos;; ++pos) {
        if (pos >= text.size()) return std::nullopt;
        if (text[pos] == '}') {
          if (pos + 1 < text.size() && text[pos + 1] == '}') {
            value += '}';
            ++pos;
            continue;
          }
          ++pos;
          break;
        }
        value += text[pos];
      }
      if (pos < text.size() && text[pos] != ';') return std::nullopt;
    } else {
      const std::size_t end = std::min(text.find(';', pos), text.size());
      value = std::string(text.substr(pos, end - pos));
      pos = end;
    }
    attributes.emplace_back(std::move(keyword), std::move(value));
    if (pos == text.size()) return std::nullopt;  // every pair ends in ";"
    ++pos;
  }
  return attributes;
}

// The ODBC keyword of each OLE DB keyword the translation takes over.
const std::map<std::string, std::string, std::less<>> kOdbcName = {
    {"data source", "SERVER"},
    {"initial catalog", "DATABASE"},
    {"user id", "UID"},
    {"password", "PWD"},
};

// The translation of `oleDb`, or nothing when it was refused as the tool refuses.
std::optional<Attributes> Translate(std::string_view oleDb, std::string_view driver) {
  std::string odbc;
  try {
    odbc = basADODB::OdbcConnectionString(oleDb, driver);
  } catch (const common::FailureError& error) {
    FUZZ_CHECK(error.failure().number == common::err::kInvalidArgument);
    FUZZ_CHECK(!error.failure().description.empty());
    return std::nullopt;
  }
  // The driver manager takes the string as C text in places: a NUL would cut it there.
  FUZZ_CHECK(odbc.find('\0') == std::string::npos);
  const std::optional<Attributes> read = ReadOdbc(odbc);
  FUZZ_CHECK(read.has_value());
  FUZZ_CHECK(!read->empty() && read->front().first == "DRIVER" && read->front().second == driver);
  std::map<std::string, int> seen;
  for (const auto& [keyword, value] : *read) FUZZ_CHECK(++seen[keyword] == 1);

  // What the provider would have read: the last value of each keyword.
  std::map<std::string, std::string> expected;
  for (const auto& [keyword, value] : basADODB::ParseOleDbConnectionString(oleDb)) {
    if (const auto name = kOdbcName.find(keyword); name != kOdbcName.end()) {
      expected[name->second] = value;
    }
  }
  const bool freeTds = driver == "FreeTDS";
  for (const auto& [keyword, value] : *read) {
    if (keyword == "DRIVER") continue;
    if (keyword == "Port" || keyword == "TDS_Version") {
      FUZZ_CHECK(freeTds);
      continue;
    }
    const auto given = expected.find(keyword);
    FUZZ_CHECK(given != expected.end() && given->second == value);
    expected.erase(given);
  }
  FUZZ_CHECK(expected.empty());
  FUZZ_CHECK(!freeTds || seen.count("TDS_Version") == 1);
  return read;
}

std::string ValueOf(const Attributes& attributes, std::string_view keyword) {
  for (const auto& [name, value] : attributes) {
    if (name == keyword) return value;
  }
  return "(missing)";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view driver = (bytes[0] & 1) != 0 ? "FreeTDS" : "SQL Server";
  const std::string_view text(reinterpret_cast<const char*>(bytes + 1), size - 1);
  if ((bytes[0] & 2) == 0) {
    Translate(text, driver);
    return 0;
  }
  const std::optional<Attributes> menu =
      Translate(connection::MenuDatabaseConnectionString(text), driver);
  if (menu) {
    FUZZ_CHECK(ValueOf(*menu, "DATABASE") == "Ro35VARA");
    FUZZ_CHECK(ValueOf(*menu, "UID") == "sa");
    FUZZ_CHECK(ValueOf(*menu, "PWD").empty());
  }
  return 0;
}
