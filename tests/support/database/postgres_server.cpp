#include "postgres_server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace testing_support {

PostgresServer PostgresServer::FromEnvironment() {
  PostgresServer server;
  const char* folder = std::getenv("REGTOOL_TEST_POSTGRES");
  if (folder == nullptr) {
    ADD_FAILURE() << "REGTOOL_TEST_POSTGRES is not set: run the database tests through ctest, "
                     "which starts their server";
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

}  // namespace testing_support
