#pragma once
// basADODB: the tool's one way to a database. A connection lives for one command: it is
// opened by ConnectADO, runs statements, and is closed and freed when it goes.
// Connection strings and statements are 8-bit ANSI text; they reach the driver through
// ODBC's 8-bit entry points unchanged.
#include <memory>
#include <string_view>

namespace basADODB {

class Connection {
 public:
  Connection();
  ~Connection();
  Connection(Connection&&) noexcept;
  Connection& operator=(Connection&&) noexcept;

  bool IsOpen() const;

  // Runs one statement with no time limit and drops whatever it returns. The result is
  // the number of rows it changed as the driver reports it: -1 when the driver cannot
  // tell (SQL Server with its NOCOUNT option on, a statement whose result carries no
  // count), which is no "no row". A statement the database refuses throws a
  // common::Failure carrying the driver's diagnostics.
  long long Execute(std::string_view sql);

 private:
  friend bool ConnectADO(std::string_view connectionString, Connection& connection);
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Replaces `connection` with a new one and opens it with the OLE DB connection string
// (translated for this platform's SQL Server ODBC driver), waiting at most 10 seconds
// for the login. A failure is logged quietly as "ConnectADO" and gives false; the
// connection may then exist without being open.
bool ConnectADO(std::string_view connectionString, Connection& connection);

}  // namespace basADODB
