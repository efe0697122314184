#include "controls/win32/message_reflection.h"

namespace controls {

HWND NotificationSender(UINT message, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY:
      return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      return item->CtlType == ODT_MENU ? nullptr : item->hwndItem;
    }
    case WM_COMMAND:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<HWND>(lParam);
    default:
      return nullptr;
  }
}

bool ReflectToChild(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const HWND child = NotificationSender(message, lParam);
  // Only a direct child: a grandchild's message passed up by its own container has had
  // its turn there already.
  if (child == nullptr || GetParent(child) != container) return false;
  ReflectedMessage reflected{message, wParam, lParam, 0};
  if (SendMessageW(child, kReflectedMessage, 0, reinterpret_cast<LPARAM>(&reflected)) != TRUE) {
    return false;
  }
  *result = reflected.result;
  return true;
}

bool ReflectOrPassUp(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (NotificationSender(message, lParam) == nullptr) return false;
  if (ReflectToChild(container, message, wParam, lParam, result)) return true;
  *result = SendMessageW(GetParent(container), message, wParam, lParam);
  return true;
}

}  // namespace controls
