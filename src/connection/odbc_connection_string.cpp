#include "connection/odbc_connection_string.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "common/failure.h"
#include "platform/blanks.h"

namespace basADODB {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

[[noreturn]] void Malformed(std::string_view text, std::string_view why) {
  common::Raise(common::err::kInvalidArgument,
                "Connection string " + std::string(why) + ": " + std::string(text));
}

// A quoted value starting at `pos` (on the quote); leaves `pos` after the closing quote.
std::string ReadQuoted(std::string_view text, std::size_t& pos) {
  const char quote = text[pos++];
  std::string value;
  while (true) {
    if (pos >= text.size()) Malformed(text, "has an unterminated quote");
    if (text[pos] == quote) {
      if (pos + 1 < text.size() && text[pos + 1] == quote) {
        value += quote;
        pos += 2;
        continue;
      }
      ++pos;
      return value;
    }
    value += text[pos++];
  }
}

// The FreeTDS driver finds its server by host and port and speaks the protocol version
// it is told; left to guess either, it tries one default after another and its login
// time-out no longer bounds the wait.
bool IsFreeTds(std::string_view driver) {
  return Lower(driver) == "freetds";
}

// 7.1 is the protocol of the SQL Server 2000 generation that the family's own OLE DB
// provider speaks; SQL Server 2000 and every later version accept it, while 7.2 and
// above would shut out the oldest servers such an installation still runs.
constexpr std::string_view kTdsVersion = "7.1";

// SQL Server's default port; "host,port" names another and "host\instance" lets the
// server's browser service answer with the instance's port.
constexpr std::string_view kSqlServerPort = "1433";

std::string Braced(std::string_view value) {
  std::string quoted = "{";
  for (const char c : value) {
    quoted += c;
    if (c == '}') quoted += '}';
  }
  quoted += '}';
  return quoted;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> ParseOleDbConnectionString(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> pairs;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t equals = text.find('=', pos);
    const std::size_t semicolon = text.find(';', pos);
    if (equals == std::string_view::npos ||
        (semicolon != std::string_view::npos && semicolon < equals)) {
      // Only blanks (or nothing) may stand between two ";".
      const std::size_t end = semicolon == std::string_view::npos ? text.size() : semicolon;
      if (!platform::TrimBlanks(text.substr(pos, end - pos)).empty())
        Malformed(text, "has a piece without \"=\"");
      pos = end + 1;
      continue;
    }
    std::string keyword = Lower(platform::TrimBlanks(text.substr(pos, equals - pos)));
    if (keyword.empty()) Malformed(text, "has a value without a keyword");
    pos = equals + 1;
    while (pos < text.size() && platform::IsBlank(text[pos])) ++pos;
    std::string value;
    if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
      value = ReadQuoted(text, pos);
      const std::size_t end = std::min(text.find(';', pos), text.size());
      if (!platform::TrimBlanks(text.substr(pos, end - pos)).empty()) {
        Malformed(text, "has text after a quoted value");
      }
      pos = end + 1;
    } else {
      const std::size_t end = std::min(text.find(';', pos), text.size());
      value = std::string(platform::TrimBlanks(text.substr(pos, end - pos)));
      pos = end + 1;
    }
    pairs.emplace_back(std::move(keyword), std::move(value));
  }
  return pairs;
}

std::string OdbcValue(std::string_view value) {
  constexpr std::string_view kSpecial = "[]{}(),;?*=!@";
  const bool needsBraces = value.find_first_of(kSpecial) != std::string_view::npos ||
                           (!value.empty() && (value.front() == ' ' || value.back() == ' '));
  return needsBraces ? Braced(value) : std::string(value);
}

std::string OdbcConnectionString(std::string_view oleDbText, std::string_view driver) {
  // The driver manager reads parts of the string as C text, where a NUL ends it: the
  // driver would see a server name cut short, or no password at all.
  if (oleDbText.find('\0') != std::string_view::npos) {
    common::Raise(common::err::kInvalidArgument, "Connection string holds a NUL character");
  }
  // The OLE DB keywords the tool writes and their ODBC names; a later repeat of a
  // keyword overrides an earlier one, as the provider reads it.
  static const std::map<std::string, std::string_view, std::less<>> kOdbcKeyword = {
      {"data source", "SERVER"},
      {"initial catalog", "DATABASE"},
      {"user id", "UID"},
      {"password", "PWD"},
  };
  std::string provider;
  std::map<std::string_view, std::string> odbc;
  for (auto& [keyword, value] : ParseOleDbConnectionString(oleDbText)) {
    if (keyword == "provider") {
      provider = Lower(value);
      continue;
    }
    const auto known = kOdbcKeyword.find(keyword);
    if (known == kOdbcKeyword.end()) {
      common::Raise(common::err::kInvalidArgument,
                    "Connection string keyword not supported: " + keyword);
    }
    odbc[known->second] = std::move(value);
  }
  if (provider != "sqloledb" && provider != "sqloledb.1") {
    common::Raise(common::err::kInvalidArgument,
                  "Connection string provider not supported: " + provider);
  }

  // A driver's name is always braced: it may hold blanks ("SQL Server").
  std::string result = "DRIVER=" + Braced(driver) + ";";
  const auto append = [&](std::string_view keyword, std::string_view value) {
    result += keyword;
    result += '=';
    result += OdbcValue(value);
    result += ';';
  };
  if (const auto server = odbc.find("SERVER"); server != odbc.end()) {
    append("SERVER", server->second);
    if (IsFreeTds(driver) && server->second.find_first_of(",\\") == std::string::npos) {
      append("Port", kSqlServerPort);
    }
  }
  if (IsFreeTds(driver)) append("TDS_Version", kTdsVersion);
  for (const std::string_view keyword : {"DATABASE", "UID", "PWD"}) {
    if (const auto found = odbc.find(keyword); found != odbc.end()) append(keyword, found->second);
  }
  return result;
}

}  // namespace basADODB
