// A server that takes the connection and then never answers must not hang the tool: the
// real FreeTDS driver gives up after the 10-second login time-out.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "../page_harness.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace connection_tests {
namespace {

// A loopback port that completes every TCP handshake (the kernel does that for a
// listening socket) and never sends a byte back.
class SilentListener {
 public:
  SilentListener() {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd_, 8) != 0 ||
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      ADD_FAILURE() << "cannot listen on the loopback interface";
    }
    port_ = ntohs(address.sin_port);
  }
  ~SilentListener() {
    if (fd_ >= 0) ::close(fd_);
  }
  int port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

// The FreeTDS ODBC driver in the machine's multiarch library folder.
std::filesystem::path FreeTdsDriver() {
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator("/usr/lib", ignored)) {
    const auto candidate = entry.path() / "odbc" / "libtdsodbc.so";
    if (std::filesystem::exists(candidate, ignored)) return candidate;
  }
  return {};
}

TEST(LoginTimeout, ASilentServerShowsAFailedConnectionWithinTheLoginTimeout) {
  const std::filesystem::path driver = FreeTdsDriver();
  ASSERT_FALSE(driver.empty()) << "the FreeTDS ODBC driver (tdsodbc) is missing";
  testing_support::TempDir odbc;
  std::ofstream(odbc.file("odbcinst.ini")) << "[FreeTDS]\nDriver=" << driver.string() << "\n";
  const testing_support::ScopedEnv drivers("ODBCSYSINI", odbc.path().string());

  SilentListener listener;
  PageHarness h;
  h.txtComputerName = "127.0.0.1," + std::to_string(listener.port());
  const auto start = std::chrono::steady_clock::now();
  h.page.cmdUpdIDMENU_Click();
  const auto waited = std::chrono::steady_clock::now() - start;

  EXPECT_EQ(h.fgUpdLog.DataRows(), (Rows{{"IDMENU", "資料庫連線失敗"}}));
  EXPECT_TRUE(h.ui.boxes().empty());
  // It waited for the server (so the driver did reach the listener), and not longer
  // than the time-out allows.
  EXPECT_GE(waited, std::chrono::seconds(9));
  EXPECT_LE(waited, std::chrono::seconds(13));
}

}  // namespace
}  // namespace connection_tests
