// The conformance suite's store on posix: the file store in a fresh temporary folder.
#include "settings_store_factory.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace {

// The store and the folder it lives in, removed together.
class TemporaryStore final : public platform::SettingsStore {
 public:
  TemporaryStore() {
    const testing_support::ScopedEnv config("XDG_CONFIG_HOME", folder_.path().string());
    store_ = platform::OpenUserSettingsStore();
  }

  platform::Status OpenCurrentUserKey(std::string_view path,
                                      std::unique_ptr<platform::SettingsKey>& out) override {
    return store_->OpenCurrentUserKey(path, out);
  }
  platform::Status SaveSetting(std::string_view application, std::string_view section,
                               std::string_view key, std::string_view text) override {
    return store_->SaveSetting(application, section, key, text);
  }
  platform::Status DeleteSetting(std::string_view application, std::string_view section,
                                 std::string_view key) override {
    return store_->DeleteSetting(application, section, key);
  }
  platform::Status RestoreSettings(std::span<const platform::SettingWrite> writes) override {
    return store_->RestoreSettings(writes);
  }
  platform::Status ApplyChanges(std::span<const platform::RegChange> changes) override {
    return store_->ApplyChanges(changes);
  }
  platform::Status CreateCurrentUserKey(std::string_view path) override {
    return store_->CreateCurrentUserKey(path);
  }
  platform::Status SetCurrentUserValue(std::string_view path, std::string_view name,
                                       std::uint32_t type, std::string_view bytes) override {
    return store_->SetCurrentUserValue(path, name, type, bytes);
  }
  std::string LastFailureDescription() const override { return store_->LastFailureDescription(); }

 private:
  testing_support::TempDir folder_;
  std::unique_ptr<platform::SettingsStore> store_;
};

}  // namespace

std::unique_ptr<platform::SettingsStore> MakeEmptyStoreForTest() {
  return std::make_unique<TemporaryStore>();
}
