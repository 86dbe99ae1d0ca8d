#pragma once
// The about dialog (template 104): the name in a large coloured font, the version and the
// copyright notice from the program's own version resource, links to the maker.
#include <windows.h>
#include <memory>
#include <string>
#include "frame/okno.h"
#include "frame/vlastnici.h"
#include "ui/tooltipy.h"

// The font in which the about box draws the application's name.
class pismo {
public:
  kestrum::handle_pisma font;

  // The default GUI font in Verdana, 20 pixels high at 96 DPI, for a window at `dpi`.
  explicit pismo(UINT dpi);

  // Draws `text` in one line, left and top aligned, with this font.
  void kresli_text(const wchar_t* text, HDC dc, const RECT& obdelnik) const;
};

// The colour of the name: dark red where the system's window text is black, else that colour.
COLORREF barva_nazvu(COLORREF barva_textu_okna);
// The colour of the version line.
constexpr COLORREF BARVA_VERZE = RGB(0, 96, 0);
// The four parts of a version joined by dots, each as an unsigned 16-bit number.
std::wstring text_verze(WORD a, WORD b, WORD c, WORD d);
// The about box's version line names the build: `bity` is 32 or 64 (bity_sestaveni).
std::wstring radek_verze(const std::wstring& verze, int bity);
// The query path of string `nazev`, and of the LegalCopyright string, in the string table of
// a translation.
std::wstring cesta_retezce_verze(WORD jazyk, WORD kodova_stranka, const wchar_t* nazev);
std::wstring cesta_copyright(WORD jazyk, WORD kodova_stranka);

// The product version of the program's own version resource.
HRESULT cti_verzi_produktu(WORD& a, WORD& b, WORD& c, WORD& d);
// The same as text; `out` is untouched on failure.
HRESULT verze_text(std::wstring& out);
// String `nazev` of the first translation of the version resource of the program file
// `program` (this program's when it is empty).
HRESULT cti_retezec_verze(const std::wstring& program, const wchar_t* nazev, std::wstring& out);
// The LegalCopyright string of the program's own version resource.
HRESULT cti_copyright(std::wstring& out);

class dlg_program_info final : public kestrum::dialog_impl {
public:
  std::unique_ptr<pismo> pismo_nazvu; // made for the dialog's DPI when it initialises
  skupina_tooltipu tooltipy;

  dlg_program_info();
  ~dlg_program_info();

  INT_PTR zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM lparam) override;
  INT_PTR inicializuj(WPARAM wparam) override;
};
