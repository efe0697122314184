#pragma once
// The keyboard dialog on Qt as the rest of the program uses it: the three entry points
// over the process's one frmANumKey (see FormEntryDialog). It owns that window: destroy
// it before the QApplication.
#include "keyboard/form_entry_dialog.h"
#include "keyboard/qt/anumkey_form.h"

namespace keyboard {

class NumKeyDialog final : public FormEntryDialog<frmANumKey> {};

}  // namespace keyboard
