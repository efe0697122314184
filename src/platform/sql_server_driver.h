#pragma once
// The ODBC driver that reaches a SQL Server on this platform: the name it is registered
// under with the driver manager, as a connection string's DRIVER keyword names it.
#include <string_view>

namespace platform {

std::string_view SqlServerOdbcDriver();

}  // namespace platform
