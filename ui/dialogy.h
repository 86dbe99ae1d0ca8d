#pragma once
// Small steps that the program's modal dialogs share.
#include <windows.h>
#include <string>

namespace dialogy {

// The control `id` of a dialog; a missing one ends the process.
HWND prvek(HWND dialog, int id);
// The application's big and small icon on the dialog.
void nastav_ikony(HWND dialog);
// The dialog's title.
void nastav_titulek(HWND dialog, const std::wstring& titulek);

// A modal dialog's OK (1) and Cancel (2, also Esc and the close box), by the command id in
// the low word of `wparam`: OK first runs `pri_ok`; both end the dialog with their id.
template <class F> void ok_nebo_zrusit(HWND dialog, WPARAM wparam, F pri_ok)
{
  const WORD id = LOWORD(wparam);
  if (id == IDOK) pri_ok();
  if (id == IDOK || id == IDCANCEL) EndDialog(dialog, id);
}

} // namespace dialogy
