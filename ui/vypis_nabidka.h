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
// The row of a list box of fixed-height rows at client point `bod`: `klient` its client
// area, `horni` the first row in view, `vyska` a row's height, `pocet` its rows; -1 where no
// row is (outside the client area, below the last row). It holds at any length of the log,
// where LB_ITEMFROMPOINT gives only the low 16 bits of the row.
LRESULT radek_v_bode(POINT bod, const RECT& klient, LRESULT horni, LRESULT vyska, LRESULT pocet);

// Shows the menu for the log list box `vypis` of `dialog`. `pozice` is the lParam of
// WM_CONTEXTMENU: the screen point of the click, or -1, -1 from the keyboard. The clean's
// preview is offered only while no operation runs (`zaneprazdnen` false); chosen, it goes
// to the dialog as its command.
void nabidka_vypisu(const kestrum::okno& dialog, HWND vypis, LPARAM pozice, bool zaneprazdnen);
