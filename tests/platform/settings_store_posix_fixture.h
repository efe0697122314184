#pragma once
// The posix store in a test's own folder, with its file at hand.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace store_test {

class PosixStoreTest : public ::testing::Test {
 protected:
  std::filesystem::path Folder() const { return dir_.path() / "vb-registry"; }
  std::filesystem::path File() const { return Folder() / "HKEY_CURRENT_USER.reg"; }

  void WriteFile(std::string_view bytes) {
    std::filesystem::create_directories(Folder());
    testing_support::WriteBytes(File(), bytes);
  }
  std::string FileBytes() const { return testing_support::ReadBytes(File()); }

  // Everything in the store's folder but the file and its lock file: left-over
  // temporary files.
  std::vector<std::string> StrayFiles() const {
    std::vector<std::string> stray;
    for (const auto& entry : std::filesystem::directory_iterator(Folder())) {
      const std::string name = entry.path().filename().string();
      if (name != "HKEY_CURRENT_USER.reg" && name != "HKEY_CURRENT_USER.reg.lock") {
        stray.push_back(name);
      }
    }
    return stray;
  }

  testing_support::TempDir dir_;
  testing_support::ScopedEnv config_{"XDG_CONFIG_HOME", dir_.path().string()};
  std::unique_ptr<platform::SettingsStore> store_ = platform::OpenUserSettingsStore();
};

}  // namespace store_test
