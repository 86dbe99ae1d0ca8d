// The text input dialog and the one function through which the program asks for a text.
#include "ui/dlg_vstup_textu.h"

#include "frame/aplikace.h"
#include "frame/chyby.h"
#include "res/resource.h"
#include "ui/dialogy.h"

INT_PTR dlg_vstup_textu::inicializuj(WPARAM)
{
  dialogy::nastav_ikony(hwnd);
  dialogy::nastav_titulek(hwnd, app().nazev());
  if (max_delka != -1)
    SendDlgItemMessageW(hwnd, IDC_VSTUP_TEXT, EM_LIMITTEXT, static_cast<WPARAM>(max_delka), 0);
  if (!SetDlgItemTextW(hwnd, IDC_VSTUP_VYZVA, vyzva.c_str())) fatalni_posledni_chyba();
  if (!SetDlgItemTextW(hwnd, IDC_VSTUP_TEXT, text.c_str())) fatalni_posledni_chyba();
  return TRUE; // the focus goes to the first tab stop, the edit
}

INT_PTR dlg_vstup_textu::zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM)
{
  if (zprava == WM_COMMAND)
    dialogy::ok_nebo_zrusit(hwnd, wparam,
                            [this] { text = kestrum::text_okna(dialogy::prvek(hwnd, IDC_VSTUP_TEXT)); });
  return 0;
}

int zadej_text(std::wstring& text, const wchar_t* vyzva)
{
  dlg_vstup_textu dialog;
  dialog.vyzva = vyzva ? vyzva : L"";
  dialog.text = text;
  dialog.max_delka = MAX_DELKA_NAZVU;
  // A dialog that could not be shown (-1 or 0) counts as cancelled.
  if (dialog.zobraz_modalne(IDD_VSTUP_TEXTU, GetActiveWindow()) != IDOK) return 1;
  text = dialog.text;
  return 0;
}
