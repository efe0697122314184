#include "dialog_harness.h"

#include "support/modal_win32.h"

namespace keyboard_testing {
namespace {

using keyboard::layout::Key;
using keyboard::layout::KeyKind;

HWND FindKey(frmANumKey& form, KeyKind kind, int index) {
  for (const Key& key : keyboard::layout::Keys()) {
    if (key.kind == kind && key.index == index) {
      return Control(form, keyboard::control_id::Key(key));
    }
  }
  return nullptr;
}

// Runs the thread's waiting messages as the modal loop would.
void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

bool Win32DialogTest::WhileShown(const std::function<bool()>& entry,
                                 const std::function<void(frmANumKey&)>& user) {
  testing_support::WhenModalShows(L"frmANumKey", [&](HWND window) {
    frmANumKey* form = dialog.LoadedForm();
    if (form == nullptr || form->Handle() != window) {
      ADD_FAILURE() << "the shown window is not the dialog's";
      return;
    }
    user(*form);
  });
  return entry();
}

HWND Control(frmANumKey& form, int id) {
  struct Search {
    int id;
    HWND found;
  } search{id, nullptr};
  EnumChildWindows(
      form.Handle(),
      [](HWND child, LPARAM data) CALLBACK -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        if (GetDlgCtrlID(child) != s.id) return TRUE;
        s.found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Win32DialogTest::LetterKey(frmANumKey& form, char letter) {
  return FindKey(form, KeyKind::kLetter, letter - 'A' + 1);
}

HWND Win32DialogTest::DigitKey(frmANumKey& form, int index) {
  return FindKey(form, KeyKind::kDigit, index);
}

HWND Win32DialogTest::CommandKey(frmANumKey& form, KeyKind kind) {
  return FindKey(form, kind, 0);
}

std::wstring Win32DialogTest::WindowText(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

void Win32DialogTest::Click(HWND key) {
  ASSERT_NE(key, nullptr) << "no such key";
  SendMessageW(key, BM_CLICK, 0, 0);
}

void Win32DialogTest::Press(UINT virtualKey, UINT held) {
  BYTE keys[256];
  GetKeyboardState(keys);
  const BYTE before = held != 0 ? keys[held] : 0;
  if (held != 0) {
    keys[held] = 0x80;
    SetKeyboardState(keys);
  }
  // With Alt held a key is a system key, as Windows sends it.
  const bool alt = held == VK_MENU;
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  const LPARAM down = 1 | scan | (alt ? 1 << 29 : 0);
  const HWND target = GetFocus();
  PostMessageW(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, down);
  PostMessageW(target, alt ? WM_SYSKEYUP : WM_KEYUP, virtualKey,
               down | static_cast<LPARAM>(0xC0000000u));
  Pump();
  if (held != 0) {
    keys[held] = before;
    SetKeyboardState(keys);
  }
}

// Letters and digits by their keys, with no Shift: a letter comes as a small letter.
void Win32DialogTest::Type(std::string_view lettersAndDigits) {
  for (const char character : lettersAndDigits) {
    Press(static_cast<UINT>(character >= 'a' ? character - 'a' + 'A' : character));
  }
}

}  // namespace keyboard_testing
