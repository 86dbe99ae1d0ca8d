#pragma once
// The log's own menu (right-click on the log list box): a preview of the clean, copy the whole log or the selected
// row to the clipboard, or save the log to a text file. It works on what the log holds when
// an item is chosen, also while an operation writes into it.
#include <windows.h>
#include <string>
#include <vector>
#include "frame/okno.h"

// The rows as one text: every row followed by CR LF.
std::wstring text_vypisu(const std::vector<std::wstring>& radky);
// A text as the bytes of a UTF-8 file with a byte-order mark.
std::string utf8_s_bom(const std::wstring& text);
// The name the Save dialog offers: "Tesvarin výpis 6.12.2026.txt".
std::wstring vychozi_nazev_vypisu(const SYSTEMTIME& cas);

// Shows the menu for the log list box `vypis` of `dialog`. `pozice` is the lParam of
// WM_CONTEXTMENU: the screen point of the click, or -1, -1 from the keyboard. The clean's
// preview is offered only while no operation runs (`zaneprazdnen` false); chosen, it goes
// to the dialog as its command.
void nabidka_vypisu(const kestrum::okno& dialog, HWND vypis, LPARAM pozice, bool zaneprazdnen);
