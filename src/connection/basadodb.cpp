#include "connection/basadodb.h"

#include <string>

#include "common/trap.h"
#include "connection/odbc_connection_string.h"
#include "connection/odbc_handle.h"
#include "platform/sql_server_driver.h"

namespace basADODB {
namespace {

constexpr SQLULEN kLoginTimeoutSeconds = 10;
constexpr SQLULEN kNoQueryTimeLimit = 0;

}  // namespace

// Members are destroyed bottom-up: the link closes before its handles are freed.
struct Connection::Impl {
  odbc::Handle environment;
  odbc::Handle connection;
  odbc::Session session;
};

Connection::Connection() = default;
Connection::~Connection() = default;
Connection::Connection(Connection&&) noexcept = default;
Connection& Connection::operator=(Connection&&) noexcept = default;

bool Connection::IsOpen() const {
  return impl_ && impl_->session.open();
}

long long Connection::Execute(std::string_view sql) {
  if (!IsOpen()) common::Raise(common::err::kInvalidArgument, "The connection is not open");
  odbc::Handle statement(SQL_HANDLE_STMT, &impl_->connection);
  // No query time-out is every driver's default; stated here because the update must
  // never be cut off half-way by a limit some driver would otherwise apply.
  SQLSetStmtAttr(statement.get(), SQL_ATTR_QUERY_TIMEOUT,
                 reinterpret_cast<SQLPOINTER>(kNoQueryTimeLimit), 0);
  std::string text(sql);
  const SQLRETURN result = SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(text.data()),
                                         static_cast<SQLINTEGER>(text.size()));
  // ODBC 3 answers an UPDATE that matched no row with "no data".
  if (result == SQL_NO_DATA) return 0;
  odbc::Check(result, statement, "SQLExecDirect");
  SQLLEN rows = -1;
  odbc::Check(SQLRowCount(statement.get(), &rows), statement, "SQLRowCount");
  return static_cast<long long>(rows);
}

bool ConnectADO(std::string_view connectionString, Connection& connection) {
  bool result = false;
  common::TrapLog("ConnectADO", [&] {
    connection = Connection();
    connection.impl_ = std::make_unique<Connection::Impl>();
    Connection::Impl& impl = *connection.impl_;
    impl.environment = odbc::Handle(SQL_HANDLE_ENV, nullptr);
    odbc::Check(SQLSetEnvAttr(impl.environment.get(), SQL_ATTR_ODBC_VERSION,
                              reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
                impl.environment, "SQLSetEnvAttr");
    impl.connection = odbc::Handle(SQL_HANDLE_DBC, &impl.environment);
    odbc::Check(SQLSetConnectAttr(impl.connection.get(), SQL_ATTR_LOGIN_TIMEOUT,
                                  reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0),
                impl.connection, "SQLSetConnectAttr");
    std::string odbcText = OdbcConnectionString(connectionString, platform::SqlServerOdbcDriver());
    odbc::Check(SQLDriverConnect(impl.connection.get(), nullptr,
                                 reinterpret_cast<SQLCHAR*>(odbcText.data()),
                                 static_cast<SQLSMALLINT>(odbcText.size()), nullptr, 0, nullptr,
                                 SQL_DRIVER_NOPROMPT),
                impl.connection, "SQLDriverConnect");
    impl.session = odbc::Session(impl.connection.get());
    result = true;
  });
  return result;
}

}  // namespace basADODB
