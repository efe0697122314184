#include <windows.h>
// windows.h first: the ODBC headers use its types.
#include <gtest/gtest.h>
#include <sql.h>
#include <sqlext.h>

#include <string>
#include <vector>

#include "postgres_server.h"

namespace testing_support {
namespace {

// Under Wine a Windows process can start the host's psql but gets no process to wait on
// and none of its output, so the data goes through ODBC here: Wine's odbc32 and the
// host's driver, but none of the tool's code.
class Odbc {
 public:
  ~Odbc() {
    if (statement_ != nullptr) SQLFreeHandle(SQL_HANDLE_STMT, statement_);
    if (connected_) SQLDisconnect(connection_);
    if (connection_ != nullptr) SQLFreeHandle(SQL_HANDLE_DBC, connection_);
    if (environment_ != nullptr) SQLFreeHandle(SQL_HANDLE_ENV, environment_);
  }

  // Connects and runs `sql`; false, with the driver's messages in `error`, on a failure.
  bool Run(const std::string& connectionString, const std::string& sql, std::string& error) {
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, nullptr, &environment_))) {
      // Wine's odbc32 answers so when it cannot load the host's driver manager.
      error = "no ODBC environment: is the host's unixODBC (libodbc.so.2) installed?";
      return false;
    }
    SQLSetEnvAttr(environment_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3),
                  0);
    SQLAllocHandle(SQL_HANDLE_DBC, environment_, &connection_);
    std::string text = connectionString;
    if (!SQL_SUCCEEDED(SQLDriverConnect(
            connection_, nullptr, reinterpret_cast<SQLCHAR*>(text.data()),
            static_cast<SQLSMALLINT>(text.size()), nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT))) {
      error = Diagnostics(SQL_HANDLE_DBC, connection_);
      return false;
    }
    connected_ = true;
    SQLAllocHandle(SQL_HANDLE_STMT, connection_, &statement_);
    text = sql;
    const SQLRETURN result = SQLExecDirect(statement_, reinterpret_cast<SQLCHAR*>(text.data()),
                                           static_cast<SQLINTEGER>(text.size()));
    if (!SQL_SUCCEEDED(result) && result != SQL_NO_DATA) {
      error = Diagnostics(SQL_HANDLE_STMT, statement_);
      return false;
    }
    return true;
  }

  // The result rows as psql prints them unaligned.
  std::string Rows() {
    SQLSMALLINT columns = 0;
    SQLNumResultCols(statement_, &columns);
    std::string rows;
    while (columns > 0 && SQL_SUCCEEDED(SQLFetch(statement_))) {
      for (SQLUSMALLINT column = 1; column <= columns; ++column) {
        if (column > 1) rows += '|';
        // A long value comes in pieces, each with its terminating NUL.
        char buffer[256];
        SQLLEN length = 0;
        for (SQLRETURN piece; SQL_SUCCEEDED(piece = SQLGetData(statement_, column, SQL_C_CHAR,
                                                               buffer, sizeof buffer, &length)) &&
                              length != SQL_NULL_DATA;) {
          rows += buffer;
          if (piece == SQL_SUCCESS) break;
        }
      }
      rows += '\n';
    }
    return rows;
  }

 private:
  static std::string Diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
    std::string text;
    SQLCHAR state[6] = {};
    SQLCHAR message[1024] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    for (SQLSMALLINT record = 1; SQL_SUCCEEDED(
             SQLGetDiagRec(type, handle, record, state, &native, message, sizeof message, &length));
         ++record) {
      text += "[" + std::string(reinterpret_cast<char*>(state)) + "] " +
              reinterpret_cast<char*>(message) + "\n";
    }
    return text;
  }

  SQLHENV environment_ = nullptr;
  SQLHDBC connection_ = nullptr;
  SQLHSTMT statement_ = nullptr;
  bool connected_ = false;
};

}  // namespace

std::string PostgresServer::Psql(std::string_view database, std::string_view sql) const {
  Odbc odbc;
  std::string error;
  if (!odbc.Run("DRIVER={SQL Server};SERVER=" + socketFolder_ +
                    ";DATABASE=" + std::string(database) + ";UID=sa;",
                std::string(sql), error)) {
    ADD_FAILURE() << "the SQL failed on: " << sql << "\n" << error;
    return {};
  }
  return odbc.Rows();
}

}  // namespace testing_support
