#include "connection/connection_strings.h"

#include "common/basbase.h"

namespace connection {
namespace {

std::string SqlServerConnectionString(std::string_view serverName, std::string_view catalog) {
  std::string text = "Provider=SQLOLEDB;data source=";
  text += serverName;
  text += ";initial catalog=";
  text += catalog;
  text += ";User ID=sa;Password=;";
  return text;
}

}  // namespace

std::string MainDatabaseConnectionString(std::string_view serverName) {
  return SqlServerConnectionString(serverName, "RiVUZ");
}

std::string MenuDatabaseConnectionString(std::string_view serverName) {
  return SqlServerConnectionString(serverName, "Ro35VARA");
}

std::string NetworkFolder(std::string_view serverName) {
  return "\\\\" + std::string(serverName) + "\\QZ35\\EXE";
}

std::string MenuUpdateStatement(std::string_view serverName) {
  return "Update id_apsys set ClientEXEPath = " + basBase::QuoteSql(NetworkFolder(serverName)) +
         " , ADOCntStr = " + basBase::QuoteSql(MainDatabaseConnectionString(serverName)) +
         " Where  APID = 'QZ'";
}

}  // namespace connection
