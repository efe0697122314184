// Text the ANSI code page cannot carry is never changed silently. The registry keeps
// UTF-16; the snapshot keeps ANSI bytes. These run in the test locale (code page 950) and
// again on an English workstation's code page 1252 (see CMakeLists.txt).
#include <windows.h>

#include <algorithm>
#include <string>

#include "snapshot_fixture.h"
#include "support/temp_dir.h"

namespace snapshot_tests {
namespace {

using testing_support::WriteBytes;

class CodePageText : public SnapshotTest {
 protected:
  // A string value set through the registry's own UTF-16 calls, as a program that works
  // in Unicode (or one on a workstation with another code page) leaves it.
  void SaveWide(const std::wstring& sectionName, const std::wstring& key,
                const std::wstring& text) {
    HKEY section = nullptr;
    const std::wstring path = L"Software\\VB and VBA Program Settings\\AppA\\" + sectionName;
    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, path.c_str(), &section), ERROR_SUCCESS);
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    EXPECT_EQ(RegSetValueExW(section, key.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(text.c_str()), bytes),
              ERROR_SUCCESS);
    RegCloseKey(section);
  }

  static bool Cp950() { return GetACP() == 950; }
};

TEST_F(CodePageText, TheSaveNamesEverySettingWhoseTextTheCodePageCannotCarry) {
  if (GetACP() != 950 && GetACP() != 1252) GTEST_SKIP() << "code page " << GetACP();
  struct Row {
    std::wstring section;
    std::wstring key;
    std::wstring text;
    bool namedIn950;
    bool namedIn1252;
  };
  const Row rows[] = {
      {L"Sec1", L"Plain", L"ascii", false, false},
      {L"Sec1", L"Chinese", L"\u4E2D\u6587", false, true},  // 中文 in the data
      {L"Sec1", L"\u540D\u7A31", L"x", false, true},        // 名稱 as the name
      {L"Sec1", L"Accent", L"caf\u00E9", true, false},      // é: not in Big5
      {L"Sec1", L"Emoji", L"\U0001F600", true, true},       // beyond every ANSI code page
      // A section whose name cannot be read is named itself: its values cannot be.
      {L"Sec\u00E9", L"k", L"x", true, false},
      {L"\U0001F600", L"k", L"x", true, true},
  };
  for (const Row& row : rows) SaveWide(row.section, row.key, row.text);
  bmRegistry::RestoreShortfall shortfall;
  ASSERT_TRUE(bmRegistry::GetCurrentKeyToFile(dir.file("Reg_PC.TXT"), *store, &shortfall));
  // A name as the file holds it: "?" where the code page has no character.
  const auto ansi = [](const std::wstring& wide) {
    constexpr DWORD kFlags = WC_NO_BEST_FIT_CHARS;
    std::string text(
        WideCharToMultiByte(CP_ACP, kFlags, wide.c_str(), -1, nullptr, 0, nullptr, nullptr) - 1,
        '\0');
    WideCharToMultiByte(CP_ACP, kFlags, wide.c_str(), -1, text.data(),
                        static_cast<int>(text.size()) + 1, nullptr, nullptr);
    return text;
  };
  std::size_t named = 0;
  for (const Row& row : rows) {
    const bool expected = Cp950() ? row.namedIn950 : row.namedIn1252;
    const std::string path = row.section == L"Sec1" ? "AppA\\Sec1\\" + ansi(row.key)
                                                    : "AppA\\" + ansi(row.section) + "\\";
    EXPECT_EQ(std::count(shortfall.settings.begin(), shortfall.settings.end(), path),
              expected ? 1 : 0)
        << path;
    named += expected;
  }
  EXPECT_EQ(shortfall.settings.size(), named);
  EXPECT_FALSE(shortfall.wholeFileRefused);
}

TEST_F(CodePageText, ARestoreLineThatTheRegistryWouldStoreChangedRefusesTheWholeFile) {
  if (!Cp950()) GTEST_SKIP() << "bytes chosen for code page 950";
  Save("AppA", "Sec1", "Raw", "before");
  const Rows before = Records();
  struct Row {
    std::string lines;
    std::string refusedLine;  // empty: restored as written
  };
  const Row rows[] = {
      {"AppA,Sec1,Raw,\x80\xFE\xFF\r\n", "Line 1 "},  // no characters of code page 950
      {"AppA,Sec1,Ok,v\r\nAppA,Sec1,Raw,v\xFF\r\n", "Line 2 "},
      {"App\xA5,Sec1,k,v\r\n", "Line 1 "},         // a lead byte before the comma
      {"AppA,Sec1,Raw,\xA4\xA4\xA4\xE5\r\n", ""},  // 中文, stored exactly
  };
  for (const Row& row : rows) {
    const std::string path = dir.file("Reg_PC.TXT");
    WriteBytes(path, row.lines);
    if (row.refusedLine.empty()) {
      EXPECT_TRUE(bmRegistry::LoadRegistry(path, *store));
      EXPECT_EQ(Records(), (Rows{{"AppA", "Sec1", "Raw", "\xA4\xA4\xA4\xE5"}}));
      continue;
    }
    const std::size_t shown = ui.boxes().size();
    ui.ExpectBox();
    EXPECT_FALSE(bmRegistry::LoadRegistry(path, *store)) << row.lines;
    ASSERT_EQ(ui.boxes().size(), shown + 1);
    EXPECT_NE(ui.boxes().back().text.find(row.refusedLine + "of the snapshot holds text"),
              std::string::npos)
        << ui.boxes().back().text;
    EXPECT_EQ(Records(), before) << row.lines;
  }
}

}  // namespace
}  // namespace snapshot_tests
