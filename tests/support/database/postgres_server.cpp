#include "postgres_server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace testing_support {

PostgresServer PostgresServer::FromEnvironment() {
  PostgresServer server;
  const char* folder = std::getenv("REGTOOL_TEST_POSTGRES");
  const char* drivers = std::getenv("ODBCSYSINI");
  if (folder == nullptr || drivers == nullptr || std::string_view(folder) != drivers) {
    ADD_FAILURE() << "REGTOOL_TEST_POSTGRES and ODBCSYSINI do not name the server's folder: run "
                     "the database tests through ctest, which starts their server";
    return server;
  }
  // A Unix path; under Wine it is read through the drive that maps the file system's root,
  // which is also the current drive of a test that ctest starts in its build folder.
  std::ifstream in(std::string(folder) + "/state");
  std::string root;
  std::getline(in, root);
  if (root.empty()) {
    ADD_FAILURE() << "no server recorded in " << folder;
    return server;
  }
  server.socketFolder_ = root + "/o'brien";
  return server;
}

void PostgresServer::NewMenuDatabase(std::string_view rows) const {
  Psql("postgres", "DROP DATABASE IF EXISTS \"Ro35VARA\" WITH (FORCE)");
  Psql("postgres", "CREATE DATABASE \"Ro35VARA\"");
  Psql("Ro35VARA",
       "CREATE TABLE id_apsys (APID varchar(10), ClientEXEPath varchar(255), "
       "ADOCntStr varchar(255), Remark varchar(20))");
  if (!rows.empty()) Psql("Ro35VARA", "INSERT INTO id_apsys VALUES " + std::string(rows));
}

}  // namespace testing_support
