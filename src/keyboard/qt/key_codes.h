#pragma once
// The one place where Qt's key events become the codes the key handlers know.
#include <optional>

class QKeyEvent;

namespace keyboard {

struct PressedKey {
  int keyCode = 0;              // for Form_KeyDown; 0 for keys the dialog ignores
  std::optional<int> charCode;  // for Form_KeyPress; none when the key types nothing
};

PressedKey FromQt(const QKeyEvent& event);

}  // namespace keyboard
