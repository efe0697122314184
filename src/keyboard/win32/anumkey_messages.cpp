// frmANumKey's messages: the modal loop, the key preview and the window procedures.
#include "keyboard/win32/anumkey_form.h"
// After <windows.h>, which anumkey_form.h brings in.
#include <commctrl.h>

#include <vector>

#include "controls/win32/button_press.h"
#include "controls/win32/message_reflection.h"
#include "keyboard/win32/key_face.h"

namespace keyboard {

LRESULT CALLBACK frmANumKey::SilverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR data) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, SilverProc, id);
  if (message == WM_ERASEBKGND) {
    RECT area;
    GetClientRect(window, &area);
    FillRect(reinterpret_cast<HDC>(wParam), &area, reinterpret_cast<HBRUSH>(data));
    return TRUE;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

namespace {

// The thread's enabled top-level windows other than `self`, which a modal window
// disables while it is up.
std::vector<HWND> EnabledThreadWindows(HWND self) {
  struct Search {
    HWND self;
    std::vector<HWND> found;
  } search{self, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) CALLBACK -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        if (window != s.self && IsWindowEnabled(window)) s.found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

// Shown first, so the caller's window, still enabled, goes to the back with its focus
// and remembers it; then the thread's other windows are disabled while the dialog is up.
void frmANumKey::ShowModal() {
  const HWND previous = GetActiveWindow();
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  callers_ = EnabledThreadWindows(window_);
  for (const HWND window : callers_) EnableWindow(window, FALSE);
  FocusAcceptKey();
  MSG message;
  while (IsWindow(window_) && IsWindowVisible(window_)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // the outer loop ends too
      break;
    }
    if (got < 0) break;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  EnableCallers();
  if (IsWindow(window_)) ShowWindow(window_, SW_HIDE);
  // The caller's window comes back to the front, not some other program's.
  if (previous != nullptr && IsWindow(previous)) SetForegroundWindow(previous);
}

// Before the dialog hides: a window that goes while every other window of the program
// is disabled hands the activation to another program.
void frmANumKey::EnableCallers() {
  for (const HWND window : callers_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  callers_.clear();
}

// Tab and Shift+Tab move among the keys, as in any dialog.
void frmANumKey::NextKey(bool backwards) {
  if (const HWND next = GetNextDlgTabItem(window_, GetFocus(), backwards ? TRUE : FALSE)) {
    SetFocus(next);
  }
}

// Key preview: a key reaches the handlers once, at the control that has the focus (or
// the dialog when none has), before that control sees it. Alt chords come as system
// keys: they act as keys going down but type no character. A swallowed character goes
// no further.
bool frmANumKey::PreviewKey(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      keys_.Form_KeyDown(static_cast<int>(wParam));
      if (message == WM_KEYDOWN && wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
        NextKey(GetKeyState(VK_SHIFT) < 0);
        return true;
      }
      return false;
    case WM_CHAR: {
      int charCode = static_cast<int>(wParam);
      keys_.Form_KeyPress(charCode);
      return charCode == 0;
    }
    default:
      return false;
  }
}

LRESULT CALLBACK frmANumKey::PreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data) {
  auto* self = reinterpret_cast<frmANumKey*>(data);
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, PreviewProc, id);
  if (self->PreviewKey(message, wParam)) return 0;
  // The display is never edited nor focused: the focus goes on to the accept key.
  if (window == self->txtDisp_ && message == WM_SETFOCUS) {
    self->FocusAcceptKey();
    return 0;
  }
  // Every tap on a key types, however quickly it follows the one before.
  if (window != self->txtDisp_) message = controls::SecondClickAsPress(message);
  return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK frmANumKey::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<frmANumKey*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  LRESULT result = 0;
  if (controls::ReflectToChild(window, message, wParam, lParam, &result)) return result;
  if (self != nullptr && self->window_ == window) return self->Handle(message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT frmANumKey::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (PreviewKey(message, wParam)) return 0;
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        const auto key = keyById_.find(LOWORD(wParam));
        if (key != keyById_.end()) keys_.Click(key->second->kind, key->second->index);
        return 0;
      }
      break;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const auto key = keyById_.find(static_cast<int>(item.CtlID));
      if (key == keyById_.end()) break;
      DrawKey(item, key->second->kind == layout::KeyKind::kBack, dpi_);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
      // The read-only display keeps its light yellow.
      if (reinterpret_cast<HWND>(lParam) == txtDisp_) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, Rgb(layout::kDisplayBackground));
        SetTextColor(dc, RGB(0, 0, 0));
        return reinterpret_cast<LRESULT>(displayBackground_);
      }
      break;
    case WM_ERASEBKGND: {
      RECT area;
      GetClientRect(window_, &area);
      FillRect(reinterpret_cast<HDC>(wParam), &area, background_);
      return TRUE;
    }
    case WM_CLOSE:
      // Closed through its frame the dialog is unloaded, which also ends its modal loop.
      unloaded_ = true;
      EnableCallers();
      ShowWindow(window_, SW_HIDE);
      DestroyWindow(window_);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace keyboard
