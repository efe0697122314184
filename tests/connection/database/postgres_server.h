#pragma once
// The PostgreSQL server that postgres_fixture.sh started for this test run, seen from a
// test: its socket folder (the server name the tests type), the ODBC set-up that reaches
// it under the SQL Server driver's name, and psql for preparing and reading the data
// without going through the code under test.
#include <string>
#include <string_view>

namespace connection_tests {

class PostgresServer {
 public:
  // The server named by the state file in REGTOOL_TEST_POSTGRES; fails the current test
  // when there is none. Points unixODBC at the fixture's odbcinst.ini.
  static PostgresServer FromEnvironment();

  const std::string& socketFolder() const { return socketFolder_; }

  // Runs SQL with psql in `database`; the unaligned output, one row a line, fields
  // separated by "|". Fails the test when psql fails.
  std::string Psql(std::string_view database, std::string_view sql) const;

 private:
  std::string socketFolder_;
};

}  // namespace connection_tests
