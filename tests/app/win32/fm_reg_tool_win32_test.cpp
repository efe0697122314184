// The Win32 main window as the user meets it: every control of the layout table in its
// place with its caption, the designed focus order, the fonts, and "結束".
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "app/fm_reg_tool_layout.h"
#include "app/win32/fm_reg_tool.h"
#include "app/win32/win32_user_interface.h"
#include "controls/win32/wide_text.h"
#include "support/double_click_win32.h"
#include "support/modal_win32.h"
#include "support/scripted_ui.h"

namespace {

// The layout's twips in pixels at `dpi`, rounded: at 96 DPI, 15 twips to a pixel.
RECT Twips(const app::TwipsBox& box, int dpi = 96) {
  const auto pixels = [dpi](int twips) { return (twips * dpi + 720) / 1440; };
  const int left = pixels(box.left);
  const int top = pixels(box.top);
  return {left, top, left + pixels(box.width), top + pixels(box.height)};
}

// A child's rectangle in its parent's client coordinates.
RECT PlaceInParent(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string TextOf(HWND control) {
  wchar_t text[256] = {};
  GetWindowTextW(control, text, 256);
  return controls::Utf8(text);
}

std::wstring ClassOf(HWND control) {
  wchar_t name[64] = {};
  GetClassNameW(control, name, 64);
  return name;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

class Win32Window : public testing::Test {
 protected:
  Win32Window() : window(std::make_unique<app::fmRegTool>([] { return std::string("WS-07"); })) {
    window->Show(SW_SHOWNORMAL);
  }
  HWND Named(std::string_view name) const { return window->Control(name); }

  // The focus after each Tab from the tab strip, by control name, once round.
  std::vector<std::string> TabRound() {
    std::vector<std::string> names;
    SetFocus(Named("tabPage"));
    for (int step = 0; step < 20; ++step) {
      const MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
      EXPECT_TRUE(window->PreTranslateMessage(tab));
      std::string name = "?";
      for (std::string_view candidate : {"tabPage"}) {
        if (GetFocus() == Named(candidate)) name = candidate;
      }
      for (const app::ControlLayout& entry : app::ControlTable()) {
        if (GetFocus() == Named(entry.name) || IsChild(Named(entry.name), GetFocus())) {
          name = entry.name;
        }
      }
      names.push_back(name);
      if (name == "tabPage" || name == "?") break;
    }
    return names;
  }

  testing_support::ScriptedUi ui;
  std::unique_ptr<app::fmRegTool> window;
};

TEST_F(Win32Window, IsAFixedSizeWindowWithTheTitleAndTheDesignedClientArea) {
  ASSERT_EQ(window->Dpi(), 96);
  EXPECT_EQ(TextOf(window->Handle()), "系統設定工具");
  const LONG style = GetWindowLongW(window->Handle(), GWL_STYLE);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
  EXPECT_NE(SendMessageW(window->Handle(), WM_GETICON, ICON_BIG, 0), 0);
  RECT client{};
  GetClientRect(window->Handle(), &client);
  EXPECT_TRUE(SameRect(client, Twips({0, 0, app::kClientWidth, app::kClientHeight})))
      << Describe(client);
  for (const app::ContainerLayout* container :
       {&app::kVsElastic1, &app::kTabPage, &app::kVsElastic2, &app::kVsElastic3}) {
    const RECT place = PlaceInParent(Named(container->name));
    EXPECT_TRUE(SameRect(place, Twips(container->box)))
        << container->name << " at " << Describe(place);
  }
  // After start-up the "Registry" page is the one shown.
  EXPECT_TRUE(IsWindowVisible(Named("vsElastic2")));
  EXPECT_FALSE(IsWindowVisible(Named("vsElastic3")));
  EXPECT_EQ(window->fgList().Rows(), 1);
  EXPECT_EQ(window->fgUpdLog().Rows(), 1);
  EXPECT_EQ(SendMessageW(Named("chkDefault"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(GetFocus(), Named("tabPage"));
}

// What each kind of control is as a Win32 window: its class and its button style.
struct Expected {
  const wchar_t* windowClass;
  LONG buttonStyle;  // -1 where the class has no button styles
};

Expected ExpectedFor(app::Kind kind) {
  switch (kind) {
    case app::Kind::kGrid:
      return {L"SysListView32", -1};
    case app::Kind::kCheckBox:
      return {L"Button", BS_AUTOCHECKBOX};
    case app::Kind::kButton:
      return {L"Button", BS_PUSHBUTTON};
    case app::Kind::kPictureButton:
      return {L"Button", BS_OWNERDRAW};
    case app::Kind::kLabel:
      return {L"Static", -1};
    case app::Kind::kTextBox:
      return {L"Edit", -1};
    case app::Kind::kFrame:
      return {L"Button", BS_GROUPBOX};
  }
  return {L"", -1};
}

// Every control of the table as a window of its kind, with its ID and caption, on its
// page, at its twips for `dpi`.
void ExpectEveryControlInPlace(const app::fmRegTool& window, int dpi) {
  for (const app::ControlLayout& entry : app::ControlTable()) {
    SCOPED_TRACE(std::string(entry.name));
    const HWND control = window.Control(entry.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(GetDlgCtrlID(control), entry.id);
    EXPECT_EQ(GetParent(control), window.Control(app::PagePanel(entry.page).name));
    const RECT place = PlaceInParent(control);
    EXPECT_TRUE(SameRect(place, Twips(entry.box, dpi))) << Describe(place);
    const Expected expected = ExpectedFor(entry.kind);
    EXPECT_EQ(_wcsicmp(ClassOf(control).c_str(), expected.windowClass), 0);
    if (expected.buttonStyle >= 0) {
      EXPECT_EQ(GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK, expected.buttonStyle);
    }
    if (entry.kind != app::Kind::kGrid) {
      EXPECT_EQ(TextOf(control), entry.caption);
    }
  }
  RECT client{};
  GetClientRect(window.Handle(), &client);
  EXPECT_TRUE(SameRect(client, Twips({0, 0, app::kClientWidth, app::kClientHeight}, dpi)))
      << Describe(client);
}

TEST_F(Win32Window, EveryControlHasItsKindCaptionPageIdPositionAndSize) {
  ASSERT_EQ(window->Dpi(), 96);
  ExpectEveryControlInPlace(*window, 96);
  // The result grid lies within the frame and above it, so the frame never covers it.
  HWND grid = Named("fgUpdLog");
  const RECT middle = PlaceInParent(grid);
  const POINT centre{(middle.left + middle.right) / 2, (middle.top + middle.bottom) / 2};
  EXPECT_EQ(ChildWindowFromPointEx(GetParent(grid), centre, CWP_SKIPINVISIBLE), grid);
}

// Moved to a monitor of 144 DPI, the window keeps every twip: pixels and fonts grow.
// It goes where the system suggests, and the columns are fitted to the larger font.
TEST_F(Win32Window, OnAMonitorOfAnotherDpiTheLayoutKeepsItsTwips) {
  window->fgList().AddItem({"AppA", "Section", "Key", "a value"});
  window->fgList().AutoSize(0, 3);
  const int fittedAt96 = ListView_GetColumnWidth(Named("fgList"), 3);
  RECT suggested{};
  GetWindowRect(window->Handle(), &suggested);
  OffsetRect(&suggested, 40, 30);
  SendMessageW(window->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(window->Dpi(), 144);
  ExpectEveryControlInPlace(*window, 144);
  RECT outer{};
  GetWindowRect(window->Handle(), &outer);
  EXPECT_EQ(outer.left, suggested.left);
  EXPECT_EQ(outer.top, suggested.top);
  EXPECT_GT(ListView_GetColumnWidth(Named("fgList"), 3), fittedAt96);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Named("cmdSave"), WM_GETFONT, 0, 0)), sizeof font,
             &font);
  EXPECT_EQ(font.lfHeight, -29);  // 14.25 pt at 144 DPI
}

TEST_F(Win32Window, TabFollowsTheDesignedFocusOrderOnEachPage) {
  EXPECT_EQ(TabRound(),
            (std::vector<std::string>{"cmdGetCurrentReg", "cmdLoadReg", "cmdReadRegFile",
                                      "cmdExit_0", "cmdSave", "fgList", "chkDefault", "tabPage"}));
  window->tabPage().SetCurrTab(1);
  EXPECT_EQ(TabRound(),
            (std::vector<std::string>{"cmdUpdIDMENU", "cmdUpdINI", "cmdInputName", "fgUpdLog",
                                      "txtComputerName", "cmdExit_1", "tabPage"}));
}

// The face each font fell back to draws the Chinese captions.
TEST_F(Win32Window, EveryFontDrawsTraditionalChinese) {
  HDC dc = GetDC(window->Handle());
  for (app::FontRole role :
       {app::FontRole::kWindow, app::FontRole::kList, app::FontRole::kPictureCaption}) {
    const HWND sample = role == app::FontRole::kWindow ? Named("chkDefault")
                        : role == app::FontRole::kList ? Named("fgList")
                                                       : Named("cmdUpdINI");
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(sample, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    WORD glyphs[3] = {};
    EXPECT_EQ(GetGlyphIndicesW(dc, L"檔設定", 3, glyphs, GGI_MARK_NONEXISTING_GLYPHS), 3u);
    for (WORD glyph : glyphs) EXPECT_NE(glyph, 0xFFFF) << controls::Utf8(window->FaceOf(role));
    SelectObject(dc, old);
  }
  ReleaseDC(window->Handle(), dc);
}

TEST_F(Win32Window, PictureButtonsShowTheirPictureOnALightGreyFace) {
  window->tabPage().SetCurrTab(1);
  for (std::string_view name : {"cmdInputName", "cmdUpdINI", "cmdUpdIDMENU"}) {
    HWND button = Named(name);
    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT r{};
    GetClientRect(button, &r);
    HDC dc = GetDC(button);
    bool yellow = false;
    bool grey = false;
    for (int y = 0; y < r.bottom; ++y) {
      for (int x = 0; x < r.right; ++x) {
        const COLORREF pixel = GetPixel(dc, x, y);
        yellow = yellow || pixel == RGB(255, 255, 0);
        grey = grey || pixel == RGB(192, 192, 192);
      }
    }
    ReleaseDC(button, dc);
    EXPECT_TRUE(yellow && grey) << name;
  }
}

// Lets the window handle what is queued for it.
void Settle() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Closes the keyboard dialog as often as it shows, `times` in all.
void CancelKeyboard(int times, int& shown) {
  testing_support::WhenModalShows(L"frmANumKey", [times, &shown](HWND dialog) {
    if (++shown < times) CancelKeyboard(times, shown);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  });
}

// Two quick taps on a picture button run its command twice, as two clicks would.
TEST_F(Win32Window, EachTapOfADoubleClickOnAPictureButtonRunsItsCommand) {
  window->tabPage().SetCurrTab(1);
  int shown = 0;
  CancelKeyboard(2, shown);
  testing_support::DoubleClick(Named("cmdInputName"));
  EXPECT_EQ(shown, 2);
}

// The control that had the focus has it again once the box or dialog it went behind is
// gone, so Enter and Tab go on from where the user was.
TEST_F(Win32Window, TheFocusComesBackAfterABoxOrTheKeyboardDialog) {
  app::Win32UserInterface shown;  // real boxes, which take the activation
  common::InstallUserInterface(&shown);
  struct Case {
    int page;
    const char* control;
    std::function<void()> goBehind;
  };
  int keyboardShown = 0;
  const Case cases[] = {
      {0, "cmdSave",
       [] {
         testing_support::WhenModalShows(L"#32770",
                                         [](HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); });
         common::MsgBox("存檔完成");
       }},
      {1, "cmdInputName",
       [&] {
         CancelKeyboard(1, keyboardShown);
         SendMessageW(Named("cmdInputName"), BM_CLICK, 0, 0);
       }},
  };
  for (const Case& c : cases) {
    window->tabPage().SetCurrTab(c.page);
    SetForegroundWindow(window->Handle());
    SetFocus(Named(c.control));
    c.goBehind();
    Settle();
    EXPECT_EQ(GetFocus(), Named(c.control)) << c.control;
  }
  common::InstallUserInterface(&ui);
}

// Runs the window's message loop until the program ends, or gives up after five seconds.
int RunUntilEnded(app::fmRegTool& window) {
  const UINT_PTR timer =
      SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) CALLBACK { PostQuitMessage(99); });
  const int exitCode = window.RunMessageLoop();
  KillTimer(nullptr, timer);
  return exitCode;
}

TEST_F(Win32Window, ExitOnEitherPageOrClosingEndsTheProgramAtOnceUnsavedRowsAndAll) {
  window->fgList().AddItem({"App", "Section", "Key", "never saved"});
  PostMessageW(Named("cmdExit_0"), BM_CLICK, 0, 0);
  EXPECT_EQ(RunUntilEnded(*window), 0);
  EXPECT_FALSE(IsWindow(window->Handle()));
  EXPECT_TRUE(ui.boxes().empty());

  window = std::make_unique<app::fmRegTool>([] { return std::string("WS-07"); });
  window->Show(SW_SHOWNORMAL);
  window->tabPage().SetCurrTab(1);
  PostMessageW(Named("cmdExit_1"), BM_CLICK, 0, 0);
  EXPECT_EQ(RunUntilEnded(*window), 0);
  EXPECT_FALSE(IsWindow(window->Handle()));

  // The system's close command ends it the same way.
  window = std::make_unique<app::fmRegTool>([] { return std::string("WS-07"); });
  window->Show(SW_SHOWNORMAL);
  PostMessageW(window->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(RunUntilEnded(*window), 0);
  EXPECT_FALSE(IsWindow(window->Handle()));
}

}  // namespace
