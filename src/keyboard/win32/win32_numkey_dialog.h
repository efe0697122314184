#pragma once
// The keyboard dialog on Windows as the rest of the program uses it: the three entry
// points over the process's one frmANumKey window (see FormEntryDialog). Shown
// modally with no owner: while it is up, the thread's other top-level windows take no
// input.
#include "keyboard/form_entry_dialog.h"
#include "keyboard/win32/anumkey_form.h"

namespace keyboard {

class Win32NumKeyDialog final : public FormEntryDialog<frmANumKey> {};

}  // namespace keyboard
