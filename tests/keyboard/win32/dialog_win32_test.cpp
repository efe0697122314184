// The keyboard dialog on Windows: its keys and the physical keyboard reach the shared
// key handling, the entry points hand back only what was accepted, and the window is
// built and placed from the shared layout. What each key does is the key handling's
// own suite; these tests catch the wiring.
#include <algorithm>
#include <vector>

#include "controls/win32/wide_text.h"
#include "dialog_harness.h"
#include "support/double_click_win32.h"

namespace keyboard_testing {
namespace {

using keyboard::layout::KeyKind;
using DialogWin32Test = Win32DialogTest;

// How many characters of `text` the control's font has no glyph for.
long MissingGlyphs(HWND control, const std::wstring& text) {
  const HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  std::vector<WORD> glyphs(text.size());
  GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                   GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return std::count(glyphs.begin(), glyphs.end(), WORD{0xFFFF});
}

TEST_F(DialogWin32Test, OnScreenKeysTypeAndTheAcceptKeyHandsTheTextBack) {
  EXPECT_TRUE(WhileShown([&] { return dialog.ShowInput(text); },
                         [&](frmANumKey& form) {
                           for (const char letter : std::string_view("SRVX")) {
                             Click(LetterKey(form, letter));
                           }
                           Click(CommandKey(form, KeyKind::kBack));
                           Click(DigitKey(form, 0));
                           Click(DigitKey(form, 1));
                           EXPECT_EQ(Text(form), "SRV01");
                           EXPECT_EQ(GetFocus(), CommandKey(form, KeyKind::kEnter));
                           Click(CommandKey(form, KeyKind::kEnter));
                         }));
  EXPECT_EQ(text, "SRV01");
}

// Quick taps come as a double-click: each tap acts, the second as the first.
TEST_F(DialogWin32Test, EachTapOfADoubleClickActs) {
  struct Case {
    KeyKind kind;
    int digit;
    const char* shown;
    const char* after;
  };
  for (const Case& c : {Case{KeyKind::kDigit, 1, "", "11"}, Case{KeyKind::kDigit, 10, "", "0000"},
                        Case{KeyKind::kBack, 0, "SRV", "S"}}) {
    EXPECT_TRUE(WhileShown([&] { return dialog.ShowInput(text, c.shown); },
                           [&](frmANumKey& form) {
                             testing_support::DoubleClick(c.kind == KeyKind::kDigit
                                                              ? DigitKey(form, c.digit)
                                                              : CommandKey(form, c.kind));
                             Click(CommandKey(form, KeyKind::kEnter));
                           }));
    EXPECT_EQ(text, c.after);
  }
}

// A key is seen once by the handlers, also when a letter key has the focus.
TEST_F(DialogWin32Test, PhysicalKeysTypeCapitalsAndEnterAccepts) {
  EXPECT_TRUE(WhileShown([&] { return dialog.ShowInput(text, "X"); },
                         [&](frmANumKey& form) {
                           Press(VK_BACK);
                           // Tab and Shift+Tab move among the keys and type nothing.
                           SetFocus(LetterKey(form, 'G'));
                           Press(VK_TAB);
                           EXPECT_NE(GetFocus(), LetterKey(form, 'G'));
                           Press(VK_TAB, VK_SHIFT);
                           EXPECT_EQ(GetFocus(), LetterKey(form, 'G'));
                           Type("srv01");
                           EXPECT_EQ(Text(form), "SRV01");
                           Press(VK_RETURN);
                         }));
  EXPECT_EQ(text, "SRV01");
}

TEST_F(DialogWin32Test, AltAndCtrlChordsTypeNothing) {
  EXPECT_TRUE(WhileShown([&] { return dialog.ShowInput(text, "A1"); },
                         [&](frmANumKey& form) {
                           Press('S', VK_CONTROL);
                           Press('S', VK_MENU);
                           Press('7', VK_MENU);
                           EXPECT_EQ(Text(form), "A1");
                           Press(VK_RETURN);
                         }));
  EXPECT_EQ(text, "A1");
}

// Escape, the leave key and the window's close box all cancel, whatever the display
// holds; closed through its frame the window is made anew for the next entry.
TEST_F(DialogWin32Test, ACancelHandsBackNothing) {
  EXPECT_FALSE(WhileShown([&] { return dialog.ShowInput(text, "S1"); },
                          [&](frmANumKey&) { Press(VK_ESCAPE); }));
  EXPECT_FALSE(WhileShown([&] { return dialog.ShowInput(text, "S1"); },
                          [&](frmANumKey& form) { Click(CommandKey(form, KeyKind::kExit)); }));
  EXPECT_FALSE(WhileShown([&] { return dialog.ShowInput(text, "S1"); },
                          [&](frmANumKey& form) { SendMessageW(form.Handle(), WM_CLOSE, 0, 0); }));
  EXPECT_EQ(text, "caller's");
  EXPECT_EQ(dialog.LoadedForm(), nullptr);
  EXPECT_TRUE(WhileShown([&] { return dialog.ShowInput(text); },
                         [&](frmANumKey&) {
                           Type("r");
                           Press(VK_RETURN);
                         }));
  EXPECT_EQ(text, "R");
}

TEST_F(DialogWin32Test, EnterPWDMasksAndTheNextShowInputShowsPlainText) {
  EXPECT_TRUE(WhileShown([&] { return dialog.EnterPWD(text, "pw"); },
                         [&](frmANumKey& form) {
                           const HWND display = Control(form, keyboard::control_id::kDisplay);
                           EXPECT_EQ(SendMessageW(display, EM_GETPASSWORDCHAR, 0, 0), L'*');
                           EXPECT_EQ(WindowText(form.Handle()), L"密碼輸入視窗");
                           EXPECT_EQ(form.Message(), "請輸入密碼..");
                           Type("9");
                           Press(VK_RETURN);
                         }));
  EXPECT_EQ(text, "pw9");
  EXPECT_FALSE(WhileShown([&] { return dialog.ShowInput2(text, "主機名稱"); },
                          [&](frmANumKey& form) {
                            const HWND display = Control(form, keyboard::control_id::kDisplay);
                            EXPECT_EQ(SendMessageW(display, EM_GETPASSWORDCHAR, 0, 0), 0);
                            EXPECT_EQ(WindowText(form.Handle()), L"主機名稱");
                            EXPECT_EQ(form.Message(), "主機名稱");
                            Press(VK_ESCAPE);
                          }));
}

// At 96 DPI a pixel is 15 twips; the outer frame sits on the screen's right edge and
// 375 twips above its bottom edge.
// Modal with no owner: the caller's window takes no input while the dialog is up.
TEST_F(DialogWin32Test, TheWindowIsBuiltFromTheLayoutAndPlacedBottomRight) {
  const HWND caller = CreateWindowExW(0, L"STATIC", L"caller", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                      0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  WhileShown([&] { return dialog.ShowInput(text); },
             [&](frmANumKey& form) {
               ASSERT_EQ(form.Dpi(), 96);
               RECT client;
               GetClientRect(form.Handle(), &client);
               EXPECT_EQ(client.right, 702);
               EXPECT_EQ(client.bottom, 401);
               for (const auto& key : keyboard::layout::Keys()) {
                 const HWND button = Control(form, keyboard::control_id::Key(key));
                 ASSERT_NE(button, nullptr) << keyboard::layout::ControlName(key);
                 RECT place;
                 GetWindowRect(button, &place);
                 MapWindowPoints(nullptr, GetParent(button), reinterpret_cast<POINT*>(&place), 2);
                 EXPECT_EQ(place.left, MulDiv(key.place.left, 1, 15))
                     << keyboard::layout::ControlName(key);
                 EXPECT_EQ(place.top, MulDiv(key.place.top, 1, 15));
                 EXPECT_EQ(place.right - place.left, MulDiv(key.place.width, 1, 15));
                 EXPECT_EQ(controls::Utf8(WindowText(button)), key.caption);
                 // The face the font fell back to draws the Chinese captions too.
                 EXPECT_EQ(MissingGlyphs(button, WindowText(button)), 0) << key.caption;
               }
               const HWND message = Control(form, keyboard::control_id::kMessage);
               EXPECT_EQ(MissingGlyphs(message, WindowText(message)), 0)
                   << controls::Utf8(WindowText(message));
               EXPECT_EQ(GetParent(LetterKey(form, 'A')),
                         Control(form, keyboard::control_id::kLetterPanel));
               RECT outer;
               GetWindowRect(form.Handle(), &outer);
               EXPECT_EQ(outer.right, GetSystemMetrics(SM_CXSCREEN));
               EXPECT_EQ(outer.bottom, GetSystemMetrics(SM_CYSCREEN) - 375 / 15);
               EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), nullptr);
               EXPECT_FALSE(IsWindowEnabled(caller));
               Press(VK_ESCAPE);
             });
  EXPECT_TRUE(IsWindowEnabled(caller));
  DestroyWindow(caller);
}

}  // namespace
}  // namespace keyboard_testing
