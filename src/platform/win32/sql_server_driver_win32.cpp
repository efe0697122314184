#include "platform/sql_server_driver.h"

namespace platform {

// The driver that every Windows installation carries.
std::string_view SqlServerOdbcDriver() {
  return "SQL Server";
}

}  // namespace platform
