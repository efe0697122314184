#pragma once
// Common controls tell their parent what happened (WM_NOTIFY, WM_COMMAND, WM_DRAWITEM,
// WM_CTLCOLOR*), but the code that knows what to do is the control's own class. So every
// container (the caption panels, the tab control, the main window) first hands such a
// message back to the child that sent it, as kReflectedMessage; only what the child
// leaves unanswered goes on up, so a button's WM_COMMAND still reaches the top window,
// which dispatches it by control ID.
#include <windows.h>

namespace controls {

// The message as the container received it, and the child's answer.
struct ReflectedMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT result;
};

// Sent to the child with lParam = ReflectedMessage*; the child returns TRUE when it
// answered (and then sets `result`), anything else leaves the message to the container.
// Above the common controls' own message ranges.
constexpr UINT kReflectedMessage = WM_USER + 0x1c00;

// The child window that sent a message of the reflected kinds; null for any other
// message, and for a command from a menu or an accelerator.
HWND NotificationSender(UINT message, LPARAM lParam);

// In a container's window procedure, first thing: true when `message` came from a child
// that answered it, with the answer in *result.
bool ReflectToChild(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// For a container that is not the top window: reflects first, and sends what the child
// leaves unanswered on to the container's own parent, so it climbs to the top window.
// Returns false for messages that are not of the reflected kinds.
bool ReflectOrPassUp(HWND container, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

}  // namespace controls
