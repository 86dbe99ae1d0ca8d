#pragma once
// A small modal dialog (template 103) asking for one line of text under a prompt.
#include <string>
#include "frame/okno.h"

class dlg_vstup_textu final : public kestrum::dialog_impl {
public:
  std::wstring vyzva;   // the prompt above the edit
  std::wstring text;    // in: the edit's initial text; out: the confirmed text
  LONG max_delka = -1;  // the edit's character limit; -1: none set

  INT_PTR zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM lparam) override;
  INT_PTR inicializuj(WPARAM wparam) override;
};

// The longest name that the Add buttons ask for.
constexpr LONG MAX_DELKA_NAZVU = 260;

// Asks for a text of at most MAX_DELKA_NAZVU characters, owned by the thread's active
// window. 0 when confirmed with OK (`text` then holds the answer, possibly empty); 1 in
// every other case, `text` untouched.
int zadej_text(std::wstring& text, const wchar_t* vyzva);
