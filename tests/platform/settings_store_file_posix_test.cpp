// The posix store's file: where it is, what it holds byte for byte, and what becomes of
// a file that is not a well-formed one.
#include <gtest/gtest.h>

#include <functional>

#include "settings_store_posix_fixture.h"
#include "settings_store_reading.h"
#include "support/big5_locale.h"

namespace {

namespace fs = std::filesystem;
using platform::kSuccess;
using store_test::Open;
using store_test::ReadValue;
using store_test::Settings;
using store_test::StringValue;
using testing_support::ScopedEnv;

std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (const std::string_view line : lines) text.append(line).append("\r\n");
  return text;
}

// One key of every kind of value, as the store writes it: the REGEDIT4 forms in use.
const std::string kEveryKind = Lines({
    "REGEDIT4",
    "",
    "[HKEY_CURRENT_USER]",
    "",
    "[HKEY_CURRENT_USER\\Software]",
    "",
    "[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings]",
    "",
    "[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\App]",
    "",
    "[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\App\\Empty]",
    "",
    "[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\App\\Sec]",
    "\"plain\"=\"text\"",
    "\"esc \\\\ \\\" ; = ,\"=\"C:\\\\dir\\\\ \\\"q\\\" \xB3\\\\\"",
    "@=\"default\"",
    "\"empty\"=\"\"",
    "\"crlf\"=hex(1):6f,6e,65,0d,0a,74,77,6f,00",
    "\"no nul\"=hex(1):61,62,63",
    "\"inner nul\"=hex(1):61,00,62,00",
    "\"zero length\"=hex(1):",
    "\"one\"=dword:00000001",
    "\"big\"=dword:fedcba98",
    "\"short dword\"=hex(4):01,02",
    "\"qword\"=hex(b):08,07,06,05,04,03,02,01",
    "\"multi\"=hex(7):6f,6e,65,00,74,77,6f,00,00",
    "\"expand\"=hex(2):25,54,45,4d,50,25,00",
    "\"none\"=hex(0):",
    "\"odd type\"=hex(12345):ff",
    "\"blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\",
    "  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,\\",
    "  2f,30,31",
    "",
});

std::vector<ReadValue> EveryKindRead() {
  std::string blob;
  for (int i = 0; i < 50; ++i) blob += static_cast<char>(i);
  return {
      StringValue("plain", "text"),
      StringValue("esc \\ \" ; = ,", "C:\\dir\\ \"q\" \xB3\\"),
      StringValue("", "default"),
      StringValue("empty", ""),
      StringValue("crlf", "one\r\ntwo"),
      {"no nul", platform::kTypeString, "abc"},
      {"inner nul", platform::kTypeString, std::string("a\0b\0", 4)},
      {"zero length", platform::kTypeString, ""},
      {"one", platform::kTypeDword, std::string("\1\0\0\0", 4)},
      {"big", platform::kTypeDword, "\x98\xba\xdc\xfe"},
      {"short dword", platform::kTypeDword, "\1\2"},
      {"qword", platform::kTypeQword, "\x08\x07\x06\x05\x04\x03\x02\x01"},
      {"multi", platform::kTypeMultiString, std::string("one\0two\0\0", 9)},
      {"expand", platform::kTypeExpandString, std::string("%TEMP%\0", 7)},
      {"none", platform::kTypeNone, ""},
      {"odd type", 0x12345, "\xff"},
      {"blob", platform::kTypeBinary, blob},
  };
}

using SettingsStoreFile = store_test::PosixStoreTest;

TEST_F(SettingsStoreFile, EveryValueKindIsWrittenInItsRegedit4Form) {
  ASSERT_EQ(store_->CreateCurrentUserKey(Settings("App\\Empty")), kSuccess);
  for (const ReadValue& value : EveryKindRead()) {
    ASSERT_EQ(store_->SetCurrentUserValue(Settings("App\\Sec"), value.name, value.type, value.data),
              kSuccess);
  }
  EXPECT_EQ(FileBytes(), kEveryKind);
}

TEST_F(SettingsStoreFile, AFileReadsBackAndIsWrittenAgainByteForByte) {
  WriteFile(kEveryKind);
  EXPECT_EQ(store_test::Values(*store_, Settings("App\\Sec")), EveryKindRead());
  // A change and its undoing make the store write the whole file again.
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "passing", "x"), kSuccess);
  ASSERT_EQ(store_->DeleteSetting("App", "Sec", "passing"), kSuccess);
  EXPECT_EQ(FileBytes(), kEveryKind);
}

TEST_F(SettingsStoreFile, HandWrittenFormsAreRead) {
  WriteFile(
      "REGEDIT4\n"
      "; LF line ends, comments, blank lines, short and upper-case hex\n"
      "\n"
      "[hkey_current_user\\Software\\VB and VBA Program Settings\\App\\Sec]\n"
      "\"n\"=dword:1F\n"
      "\"b\"=hex: 0A , b ,\\\n"
      "     FF\n"
      "\n"
      "[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\App\\Sec]\n"
      "\"N\"=dword:2\n");
  EXPECT_EQ(store_test::Values(*store_, Settings("App\\Sec")),
            (std::vector<ReadValue>{{"n", platform::kTypeDword, std::string("\2\0\0\0", 4)},
                                    {"b", platform::kTypeBinary, "\x0a\x0b\xff"}}));
}

TEST_F(SettingsStoreFile, NoFileMeansNoSettingsRootAndTheFirstWriteMakesAPrivateFolder) {
  std::unique_ptr<platform::SettingsKey> key;
  EXPECT_EQ(store_->OpenCurrentUserKey(platform::kSettingsRoot, key), platform::kNotFound);
  ASSERT_EQ(store_->OpenCurrentUserKey("", key), kSuccess);
  EXPECT_TRUE(store_test::SubKeyNames(*key).empty());
  EXPECT_FALSE(fs::exists(Folder()));

  ASSERT_EQ(store_->SaveSetting("App", "Sec", "k", "v"), kSuccess);
  EXPECT_EQ(fs::status(Folder()).permissions(), fs::perms::owner_all);
  EXPECT_EQ(store_test::Values(*store_, Settings("App\\Sec")),
            (std::vector{StringValue("k", "v")}));
}

TEST_F(SettingsStoreFile, TheFolderComesFromTheEnvironmentAtEachOpening) {
  const testing_support::TempDir other;
  {
    const ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
    const ScopedEnv home("HOME", other.path().string());
    ASSERT_EQ(platform::OpenUserSettingsStore()->SaveSetting("A", "S", "k", "home"), kSuccess);
  }
  {
    // A relative XDG_CONFIG_HOME is not a usable one and is passed over.
    const ScopedEnv config("XDG_CONFIG_HOME", "relative/config");
    const ScopedEnv home("HOME", other.path().string());
    ASSERT_EQ(platform::OpenUserSettingsStore()->SaveSetting("A", "S", "k2", "home"), kSuccess);
  }
  ASSERT_EQ(store_->SaveSetting("A", "S", "k", "xdg"), kSuccess);
  EXPECT_EQ(store_test::Values(*store_, Settings("A\\S")), (std::vector{StringValue("k", "xdg")}));
  const fs::path homeFile = other.path() / ".config/vb-registry/HKEY_CURRENT_USER.reg";
  const std::string homeBytes = testing_support::ReadBytes(homeFile);
  EXPECT_NE(homeBytes.find("\"k\"=\"home\"\r\n\"k2\"=\"home\""), std::string::npos) << homeBytes;
}

TEST_F(SettingsStoreFile, DoubleByteNamesKeepTheirBackslashTrailBytesInCodePage950) {
  if (!testing_support::UnderBig5Locale()) return;
  const std::string xu = "\xB3\x5C";  // one character whose trail byte is "\"
  ASSERT_EQ(store_->SaveSetting("App", xu, xu, xu), kSuccess);
  ASSERT_EQ(store_->CreateCurrentUserKey(Settings("App\\\xA4\x61")), kSuccess);
  ASSERT_EQ(store_->CreateCurrentUserKey(Settings("App\\\xA4\x41")), kSuccess);
  // Quoted text is escaped byte by byte, so that it reads back the same in any locale.
  EXPECT_NE(FileBytes().find("[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\App\\" +
                             xu + "]\r\n\"\xB3\\\\\"=\"\xB3\\\\\"\r\n"),
            std::string::npos)
      << FileBytes();
  EXPECT_EQ(store_test::SubKeyNames(*store_, Settings("App")),
            (std::vector<std::string>{"\xA4\x41", "\xA4\x61", xu}));
  EXPECT_EQ(store_test::Values(*store_, Settings("App\\" + xu)),
            (std::vector{StringValue(xu, xu)}));
}

TEST_F(SettingsStoreFile, AnOpenKeySeesTheFileAsItWasWhenItWasOpened) {
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "first", "1"), kSuccess);
  auto before = Open(*store_, Settings("App\\Sec"));
  ASSERT_NE(before, nullptr);
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "second", "2"), kSuccess);
  EXPECT_EQ(store_test::ValueNames(*before), std::vector<std::string>{"first"});
  EXPECT_EQ(store_test::ValueNames(*store_, Settings("App\\Sec")),
            (std::vector<std::string>{"first", "second"}));
}

TEST_F(SettingsStoreFile, NamesWithALineBreakAreRefusedWithAReason) {
  EXPECT_EQ(store_->SaveSetting("App", "Sec", "two\nlines", "v"), platform::kInvalidParameter);
  EXPECT_NE(store_->LastFailureDescription().find("line break"), std::string::npos);
  EXPECT_EQ(store_->CreateCurrentUserKey(Settings("a\rb")), platform::kInvalidParameter);
  EXPECT_FALSE(fs::exists(File()));
}

TEST_F(SettingsStoreFile, ARestoreThatWouldFailWritesNothingAndNamesTheSetting) {
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "k", "old"), kSuccess);
  const std::string before = FileBytes();
  const std::vector<platform::SettingWrite> writes = {
      {"App", "Sec", "k", "new"},
      {"App", "Sec", std::string(16384, 'n'), "v"},
  };
  EXPECT_EQ(store_->RestoreSettings(writes), platform::kInvalidParameter);
  EXPECT_EQ(FileBytes(), before);
  const std::string description = store_->LastFailureDescription();
  EXPECT_EQ(description.rfind("setting 2 of 2 (App\\Sec\\nnn", 0), 0u) << description;
  EXPECT_NE(description.find("16383"), std::string::npos) << description;
}

// What happens between a reading of the store and its next write. The write reuses the
// tree that reading parsed only when nothing came between: it must never build on a tree
// that the file no longer holds, nor on one that a refused batch changed half-way.
struct BetweenReadAndWrite {
  const char* what;
  std::function<void(const fs::path& file, platform::SettingsStore& store)> between;
  std::vector<std::string> namesAfterWrite;
};

void PrintTo(const BetweenReadAndWrite& between, std::ostream* out) { *out << between.what; }

class SettingsStoreWriteAfterRead : public store_test::PosixStoreTest,
                                    public ::testing::WithParamInterface<BetweenReadAndWrite> {};

TEST_P(SettingsStoreWriteAfterRead, BuildsOnTheFileAsItIsNow) {
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "first", "1"), kSuccess);
  ASSERT_EQ(store_test::ValueNames(*store_, Settings("App\\Sec")), std::vector<std::string>{"first"});
  GetParam().between(File(), *store_);
  ASSERT_EQ(store_->SaveSetting("App", "Sec", "last", "9"), kSuccess);
  EXPECT_EQ(store_test::ValueNames(*platform::OpenUserSettingsStore(), Settings("App\\Sec")),
            GetParam().namesAfterWrite);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsStoreWriteAfterRead,
    ::testing::Values(
        BetweenReadAndWrite{"Nothing", [](auto&, auto&) {}, {"first", "last"}},
        BetweenReadAndWrite{"AnotherProcessSaves",
                            [](auto&, auto&) {
                              ASSERT_EQ(platform::OpenUserSettingsStore()->SaveSetting(
                                            "App", "Sec", "other", "2"),
                                        kSuccess);
                            },
                            {"first", "other", "last"}},
        // Same size, same folder entry: only the bytes tell.
        BetweenReadAndWrite{"TheFileIsRewrittenInPlace",
                            [](const fs::path& file, auto&) {
                              std::string bytes = testing_support::ReadBytes(file);
                              const std::size_t at = bytes.find("\"first\"");
                              ASSERT_NE(at, std::string::npos);
                              bytes.replace(at, 7, "\"FIRST\"");
                              testing_support::WriteBytes(file, bytes);
                            },
                            {"FIRST", "last"}},
        BetweenReadAndWrite{"ARefusedBatchChangedItsTreeHalfWay",
                            [](auto&, platform::SettingsStore& store) {
                              const std::vector<platform::SettingWrite> writes = {
                                  {"App", "Sec", "half", "1"},
                                  {"App", "Sec", std::string(16384, 'n'), "v"}};
                              ASSERT_EQ(store.RestoreSettings(writes), platform::kInvalidParameter);
                            },
                            {"first", "last"}}),
    [](const ::testing::TestParamInfo<BetweenReadAndWrite>& info) { return info.param.what; });

struct Damage {
  const char* what;
  std::string text;
  int line;
};

class SettingsStoreDamagedFile : public store_test::PosixStoreTest,
                                 public ::testing::WithParamInterface<Damage> {};

TEST_P(SettingsStoreDamagedFile, IsReportedWithItsLineAndNeverOverwritten) {
  WriteFile(GetParam().text);
  std::unique_ptr<platform::SettingsKey> key;
  EXPECT_EQ(store_->OpenCurrentUserKey("", key), platform::kStoreCorrupt);
  const std::string where = File().string() + ", line " + std::to_string(GetParam().line) + ": ";
  EXPECT_EQ(store_->LastFailureDescription().rfind(where, 0), 0u)
      << store_->LastFailureDescription();

  EXPECT_EQ(store_->SaveSetting("App", "Sec", "k", "v"), platform::kStoreCorrupt);
  EXPECT_EQ(store_->RestoreSettings(std::vector<platform::SettingWrite>{{"A", "S", "k", "v"}}),
            platform::kStoreCorrupt);
  EXPECT_EQ(store_->DeleteSetting("App", "Sec", "k"), platform::kStoreCorrupt);
  EXPECT_EQ(FileBytes(), GetParam().text);
}

const std::string kHead = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n";

INSTANTIATE_TEST_SUITE_P(
    Damages, SettingsStoreDamagedFile,
    ::testing::Values(Damage{"Empty", "", 1}, Damage{"NoHeader", "[HKEY_CURRENT_USER]\r\n", 1},
                      Damage{"OtherHeader", "Windows Registry Editor Version 5.00\r\n", 1},
                      Damage{"ValueBeforeAnyKey", "REGEDIT4\r\n\r\n\"a\"=\"b\"\r\n", 3},
                      Damage{"OtherRoot", "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software]\r\n", 2},
                      Damage{"EmptyKeyName", kHead + "[HKEY_CURRENT_USER\\a\\\\b]\r\n", 4},
                      Damage{"UnclosedKey", kHead + "[HKEY_CURRENT_USER\\a\r\n", 4},
                      Damage{"UnclosedName", kHead + "\"a=\"b\"\r\n", 4},
                      Damage{"UnclosedText", kHead + "\"a\"=\"b\r\n", 4},
                      Damage{"UnknownEscape", kHead + "\"a\"=\"\\n\"\r\n", 4},
                      Damage{"TextAfterQuote", kHead + "\"a\"=\"b\" c\r\n", 4},
                      Damage{"NoEquals", kHead + "\"a\" \"b\"\r\n", 4},
                      Damage{"NineDigitDword", kHead + "\"a\"=dword:123456789\r\n", 4},
                      Damage{"BadByte", kHead + "\"a\"=hex:01,\\\r\n  02,zz\r\n", 5},
                      Damage{"TrailingComma", kHead + "\"a\"=hex:01,\r\n", 4},
                      Damage{"ContinuedPastTheEnd", kHead + "\"a\"=hex:01,\\\r\n", 4},
                      Damage{"UnknownDataForm", kHead + "\"a\"=-\r\n", 4},
                      Damage{"StrayLine", kHead + "a=b\r\n", 4}),
    [](const ::testing::TestParamInfo<Damage>& info) { return info.param.what; });

}  // namespace
