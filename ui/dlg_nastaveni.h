#pragma once
// The preferences dialog (template 106): automatic deletion of an older copy and the format
// of the date suffix of the copy's folder name.
#include <windows.h>
#include "frame/okno.h"

// One entry of the date-format list: its text and its code (`vypis_casu`).
struct format_data {
  const wchar_t* text;
  LONG kod;
};
// The entries in list order; the codes do not follow it.
extern const format_data FORMATY_DATA[5];
// The code used when the stored one is none of the list's.
constexpr LONG VYCHOZI_FORMAT = 3;
// The list index to select for a stored code: its entry's, or the default code's entry's
// when the code is unknown.
int index_formatu(LONG kod);

class dlg_nastaveni final : public kestrum::dialog_impl {
public:
  HWND combo_format = nullptr; // combo box 1030, not owned

  INT_PTR zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM lparam) override;
  INT_PTR inicializuj(WPARAM wparam) override;

  // Takes the controls' state into the settings record and saves the record.
  void pouzij();
};
