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
// The whole text of control `id`.
std::wstring text_prvku(HWND dialog, int id);

} // namespace dialogy
