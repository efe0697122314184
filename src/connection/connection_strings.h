#pragma once
// The texts the connection page builds from the server name. The name goes in exactly as
// given, surrounding blanks included and nothing quoted: the family's programs read these
// values back and expect them so.
#include <string>
#include <string_view>

namespace connection {

// The connection string of the family's main database, as the parameter files and the
// main-menu database hold it.
std::string MainDatabaseConnectionString(std::string_view serverName);

// The connection string of the main-menu database, which the tool opens.
std::string MenuDatabaseConnectionString(std::string_view serverName);

// The network folder of the client programs' executables: \\server\QZ35\EXE.
std::string NetworkFolder(std::string_view serverName);

// The statement that points the main-menu rows of application 'QZ' at the server.
std::string MenuUpdateStatement(std::string_view serverName);

}  // namespace connection
