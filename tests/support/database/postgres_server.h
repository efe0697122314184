#pragma once
// The PostgreSQL server that postgres_fixture.sh started for this test run, seen from a
// test: its socket folder (the server name the tests type) and a way to prepare and read
// the data without going through the code under test.
#include <string>
#include <string_view>

namespace testing_support {

class PostgresServer {
 public:
  // The server recorded in the fixture folder that REGTOOL_TEST_POSTGRES names; fails
  // the current test when there is none. The tests' environment (ODBCSYSINI, PGPORT)
  // makes both SQL Server driver names reach it.
  static PostgresServer FromEnvironment();

  const std::string& socketFolder() const { return socketFolder_; }

  // Runs SQL in `database`; the rows it returns one a line, fields separated by "|", a
  // NULL as nothing (psql's unaligned output). Fails the test when the SQL fails.
  std::string Psql(std::string_view database, std::string_view sql) const;

  // The main menu's database "Ro35VARA" made afresh, its table id_apsys holding `rows`
  // (the list after VALUES; none when empty).
  void NewMenuDatabase(std::string_view rows) const;

 private:
  std::string socketFolder_;
};

}  // namespace testing_support
