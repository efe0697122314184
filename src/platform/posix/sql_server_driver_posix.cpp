#include "platform/sql_server_driver.h"

namespace platform {

// The FreeTDS ODBC driver, as its Debian package registers it with unixODBC.
std::string_view SqlServerOdbcDriver() {
  return "FreeTDS";
}

}  // namespace platform
