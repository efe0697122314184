// The seam's real boxes and dialogs under Wine: what they show, and that the user's
// answer reaches the caller, as UTF-8.
#include <windows.h>
// After <windows.h>, which they build on.
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "app/win32/win32_open_file_dialog.h"
#include "app/win32/win32_user_interface.h"
#include "controls/win32/wide_text.h"
#include "support/modal_win32.h"
#include "support/temp_dir.h"

namespace {

using common::Answer;
using common::Buttons;
using common::Icon;
using testing_support::WhenModalShows;

constexpr int kMessageTextId = 0xFFFF;  // the text of a message box, as Windows numbers it

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

// The icon a box shows, or nullptr when it shows none.
HICON ShownIcon(HWND box) {
  HICON shown = nullptr;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM data) CALLBACK -> BOOL {
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child)) {
          *reinterpret_cast<HICON*>(data) =
              reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&shown));
  return shown;
}

struct SeenBox {
  std::wstring title, text;
  HICON icon = nullptr;
};

// Answers the next box with the button `answer` once it shows, and records what it shows.
void AnswerBox(int answer, SeenBox& seen) {
  WhenModalShows(L"#32770", [answer, &seen](HWND box) {
    seen = {TextOf(box), TextOf(GetDlgItem(box, kMessageTextId)), ShownIcon(box)};
    PostMessageW(box, WM_COMMAND, answer, 0);
  });
}

class Win32SeamTest : public ::testing::Test {
 protected:
  Win32SeamTest() { common::InstallUserInterface(&ui); }
  ~Win32SeamTest() override { common::InstallUserInterface(nullptr); }

  app::Win32UserInterface ui;
};

TEST_F(Win32SeamTest, BoxesShowTheirTextTitleAndIconAndTheAnswerReachesTheCaller) {
  SeenBox seen;
  AnswerBox(IDYES, seen);
  EXPECT_EQ(common::MsgBox("該文字檔已存在，要覆蓋嗎?", Buttons::kYesNo), Answer::kYes);
  EXPECT_EQ(seen.title, L"系統設定工具");
  EXPECT_EQ(seen.text, L"該文字檔已存在，要覆蓋嗎?");
  EXPECT_EQ(seen.icon, nullptr);

  AnswerBox(IDNO, seen);
  EXPECT_EQ(common::MsgBox("覆蓋?", Buttons::kYesNo, Icon::kExclamation, "檔案已存在"),
            Answer::kNo);
  EXPECT_EQ(seen.title, L"檔案已存在");
  EXPECT_EQ(seen.icon, LoadIconW(nullptr, IDI_EXCLAMATION));

  AnswerBox(IDOK, seen);
  EXPECT_EQ(common::MsgBox("存檔失敗", Buttons::kOk, Icon::kStop), Answer::kOk);
  EXPECT_EQ(seen.icon, LoadIconW(nullptr, IDI_HAND));
}

// Another program's window in front, made by a thread of its own here: it takes the
// foreground until `done` is set.
struct ProgramInFront {
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<HWND> window{nullptr};
  HANDLE thread = CreateThread(nullptr, 0, &ProgramInFront::Run, this, 0, nullptr);

  ~ProgramInFront() {
    SetEvent(done);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(done);
  }
  static DWORD WINAPI Run(void* data) {
    auto& self = *static_cast<ProgramInFront*>(data);
    const HWND front = CreateWindowExW(0, L"STATIC", L"other program", WS_OVERLAPPEDWINDOW, 300,
                                       300, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(front, SW_SHOW);
    SetForegroundWindow(front);
    self.window = front;
    while (MsgWaitForMultipleObjects(1, &self.done, FALSE, INFINITE, QS_ALLINPUT) !=
           WAIT_OBJECT_0) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    DestroyWindow(front);
    return 0;
  }
};

// With another program in front this thread has no active window; a box is still owned
// by the window that is up, which takes no clicks while the box waits.
TEST_F(Win32SeamTest, ABoxIsModalToTheWindowThatIsUpWhateverHasTheForeground) {
  const HWND window = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      200, 100, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(window);
  const ProgramInFront other;
  for (int tick = 0; tick < 500 && (other.window == nullptr || GetActiveWindow() != nullptr);
       ++tick) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  ASSERT_EQ(GetActiveWindow(), nullptr) << "the other program never came to the front";

  HWND owner = nullptr;
  BOOL windowEnabled = TRUE;
  WhenModalShows(L"#32770", [&](HWND box) {
    owner = GetWindow(box, GW_OWNER);
    windowEnabled = IsWindowEnabled(window);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  common::MsgBox("存檔完成", Buttons::kOk);
  EXPECT_EQ(owner, window);
  EXPECT_FALSE(windowEnabled);
  EXPECT_TRUE(IsWindowEnabled(window));
  DestroyWindow(window);
}

// The dialog starts in its folder, adds the default extension to a typed name, hands
// the choice back as UTF-8, and keeps it when the next use is cancelled.
TEST_F(Win32SeamTest, TheOpenFileDialogHandsBackTheChosenFileAndKeepsItOnACancel) {
  const testing_support::TempDir dir;
  const std::filesystem::path folder = dir.path() / std::filesystem::path(u8"資料");
  std::filesystem::create_directory(folder);
  // Wine adds the default extension to a typed name only when that file exists.
  testing_support::WriteBytes(folder / "snap.txt", "A,S,k,v\r\n");
  const std::string folderUtf8 = controls::Utf8(folder.wstring());
  app::Win32OpenFileDialog dialog(nullptr);
  dialog.SetInitDir(folderUtf8);
  dialog.SetDefaultExt(".txt");
  dialog.SetFilter("文字檔|*.txt");

  std::wstring title;
  WhenModalShows(L"#32770", [&](HWND box) {
    title = TextOf(box);
    SendMessageW(box, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(L"snap"));
    SendMessageW(box, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(L"snap"));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(dialog.ShowOpen());
  EXPECT_EQ(title, L"開啟");  // the system's own name for the dialog in this locale
  EXPECT_EQ(dialog.FileName(), folderUtf8 + "\\snap.txt");

  // A cancel is no choice, and the last choice stays for the next showing.
  WhenModalShows(L"#32770", [](HWND box) { PostMessageW(box, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_FALSE(dialog.ShowOpen());
  EXPECT_EQ(dialog.FileName(), folderUtf8 + "\\snap.txt");
}

TEST_F(Win32SeamTest, ACancelledFolderPickerGivesEmptyText) {
  bool titleShown = false;
  WhenModalShows(L"#32770", [&](HWND box) {
    EnumChildWindows(
        box,
        [](HWND child, LPARAM data) CALLBACK -> BOOL {
          if (TextOf(child) == L"選擇目錄") *reinterpret_cast<bool*>(data) = true;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&titleShown));
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(ui.BrowseForFolder({nullptr, "選擇目錄", true}), "");
  EXPECT_TRUE(titleShown);
}

// The wait pointer shows at once and stays through the window's WM_SETCURSOR while busy;
// once not busy the window's own pointer comes back.
TEST_F(Win32SeamTest, TheBusyPointerIsTheWaitPointerUntilTheCommandEnds) {
  const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  {
    const common::BusyPointer busy;
    EXPECT_EQ(GetCursor(), wait);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));  // as a window's class pointer would
    EXPECT_TRUE(ui.KeepBusyPointer());
    EXPECT_EQ(GetCursor(), wait);
  }
  EXPECT_FALSE(ui.KeepBusyPointer());
  EXPECT_NE(GetCursor(), wait);
}

}  // namespace
