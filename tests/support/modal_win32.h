#pragma once
// Acts on the next modal window of a window class once it shows on this thread, from
// inside the modal loop that shows it: "#32770" is a message box or a common dialog.
// A window that never shows, or that the action leaves open, fails the test and is
// closed instead of hanging it. Windows builds only.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace testing_support {
namespace modal_detail {

struct Watch {
  std::wstring windowClass;
  std::function<void(HWND)> act;
  HWND acted = nullptr;
  int ticks = 0;
};

inline constexpr UINT kTickMs = 10;
inline constexpr int kPatienceTicks = 500;

inline std::map<UINT_PTR, Watch>& Watches() {
  static std::map<UINT_PTR, Watch> watches;
  return watches;
}

// The thread's shown top-level window of that class, or nullptr.
inline HWND FindShown(const std::wstring& windowClass) {
  struct Search {
    const std::wstring* windowClass;
    HWND found;
  } search{&windowClass, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) CALLBACK -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (*s.windowClass == name && IsWindowVisible(window)) {
          s.found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
  const auto found = Watches().find(id);
  if (found == Watches().end()) return;
  Watch& watch = found->second;
  ++watch.ticks;
  if (watch.acted == nullptr) {
    const HWND window = FindShown(watch.windowClass);
    if (window == nullptr && watch.ticks < kPatienceTicks) return;
    if (window == nullptr) {
      ADD_FAILURE() << "the expected modal window never showed";
      KillTimer(nullptr, id);
      Watches().erase(found);
      return;
    }
    watch.acted = window;
    watch.ticks = 0;
    const auto act = watch.act;  // the action may start another watch
    act(window);
    return;
  }
  const bool open = IsWindow(watch.acted) && IsWindowVisible(watch.acted);
  if (open && watch.ticks < kPatienceTicks) return;
  if (open) {
    ADD_FAILURE() << "the modal window stayed open";
    PostMessageW(watch.acted, WM_CLOSE, 0, 0);
  }
  KillTimer(nullptr, id);
  Watches().erase(found);
}

}  // namespace modal_detail

inline void WhenModalShows(std::wstring windowClass, std::function<void(HWND)> act) {
  const UINT_PTR id = SetTimer(nullptr, 0, modal_detail::kTickMs, modal_detail::Tick);
  modal_detail::Watches()[id] = modal_detail::Watch{std::move(windowClass), std::move(act)};
}

}  // namespace testing_support
