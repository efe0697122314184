// A value the store cannot hand out while a diff or a restore looks at the keys: taken
// for the end of its key's values, the settings after it would look new to the diff.
#include <memory>
#include <string>

#include "snapshot_fixture.h"

namespace snapshot_tests {
namespace {

// The store's key, except that its second value cannot be read.
class SecondValueUnreadable : public platform::SettingsKey {
 public:
  explicit SecondValueUnreadable(std::unique_ptr<platform::SettingsKey> real)
      : real_(std::move(real)) {}
  platform::Status OpenSubKey(std::string_view path,
                              std::unique_ptr<platform::SettingsKey>& out) override {
    std::unique_ptr<platform::SettingsKey> opened;
    const platform::Status status = real_->OpenSubKey(path, opened);
    if (status == platform::kSuccess)
      out = std::make_unique<SecondValueUnreadable>(std::move(opened));
    return status;
  }
  platform::Status EnumKey(std::uint32_t index, char* name, std::uint32_t capacity) override {
    return real_->EnumKey(index, name, capacity);
  }
  platform::Status EnumValue(std::uint32_t index, char* name, std::uint32_t* nameLength,
                             std::uint32_t* type, unsigned char* data,
                             std::uint32_t* dataLength) override {
    if (index == 1) return platform::kAccessDenied;
    return real_->EnumValue(index, name, nameLength, type, data, dataLength);
  }

 private:
  std::unique_ptr<platform::SettingsKey> real_;
};

// The test's store, read through SecondValueUnreadable.
class UnreadableStore : public platform::SettingsStore {
 public:
  explicit UnreadableStore(platform::SettingsStore& real) : real_(real) {}
  platform::Status OpenCurrentUserKey(std::string_view path,
                                      std::unique_ptr<platform::SettingsKey>& out) override {
    std::unique_ptr<platform::SettingsKey> opened;
    const platform::Status status = real_.OpenCurrentUserKey(path, opened);
    if (status == platform::kSuccess)
      out = std::make_unique<SecondValueUnreadable>(std::move(opened));
    return status;
  }
  platform::Status SaveSetting(std::string_view a, std::string_view s, std::string_view k,
                               std::string_view t) override {
    return real_.SaveSetting(a, s, k, t);
  }
  platform::Status DeleteSetting(std::string_view a, std::string_view s,
                                 std::string_view k) override {
    return real_.DeleteSetting(a, s, k);
  }
  platform::Status RestoreSettings(std::span<const platform::SettingWrite> writes) override {
    return real_.RestoreSettings(writes);
  }
  platform::Status ApplyChanges(std::span<const platform::RegChange> changes) override {
    return real_.ApplyChanges(changes);
  }
  platform::Status CreateCurrentUserKey(std::string_view path) override {
    return real_.CreateCurrentUserKey(path);
  }
  platform::Status SetCurrentUserValue(std::string_view path, std::string_view name,
                                       std::uint32_t type, std::string_view bytes) override {
    return real_.SetCurrentUserValue(path, name, type, bytes);
  }

 private:
  platform::SettingsStore& real_;
};

struct Look {
  const char* name;
  bool (*run)(const std::string& file, platform::SettingsStore& store);
  const char* label;
};
void PrintTo(const Look& look, std::ostream* out) {
  *out << look.name;
}

class UnreadableValue : public SnapshotTest, public ::testing::WithParamInterface<Look> {};

TEST_P(UnreadableValue, FailsTheWholeCommandAndChangesNothing) {
  Save("App", "Sec", "k1", "1");
  Save("App", "Sec", "k2", "2");
  Save("App", "Sec", "k3", "3");
  const Rows before = Records();
  const std::string file = dir.file("Reg_PC.TXT");
  testing_support::WriteBytes(file, "App,Sec,k1,1\r\nApp,Sec,k2,2\r\nApp,Sec,k3,3x\r\n");
  UnreadableStore unreadable(*store);
  ui.ExpectBox();
  EXPECT_FALSE(GetParam().run(file, unreadable));
  ASSERT_EQ(ui.boxes().size(), 1u);
  EXPECT_EQ(ui.boxes()[0].text.rfind(std::string("處理程序: (") + GetParam().label + ")", 0), 0u)
      << ui.boxes()[0].text;
  EXPECT_EQ(Records(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Snapshot, UnreadableValue,
    ::testing::Values(Look{"Diff",
                           [](const std::string& file, platform::SettingsStore& store) {
                             return bmRegistry::CompareWithStore(file, store).has_value();
                           },
                           "bmRegistry_CompareWithStore"},
                      Look{"Restore",
                           [](const std::string& file, platform::SettingsStore& store) {
                             return bmRegistry::LoadRegistry(file, store);
                           },
                           "bmRegistry_LoadRegistry"}),
    [](const ::testing::TestParamInfo<Look>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace snapshot_tests
