// The about dialog, the version resource readers and the font of the name.
#include "ui/dlg_program_info.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <cwchar>
#include <string_view>
#include "frame/aplikace.h"
#include "frame/architektura.h"
#include "frame/chyby.h"
#include "frame/meritko.h"
#include "frame/vyrobce.h"
#include "res/resource.h"
#include "res/texty.h"
#include "ui/dialogy.h"

// The links of the template must name the addresses that the code uses.
static_assert(std::wstring_view(L"" VYROBCE_ODKAZ_WEB) == std::wstring_view(L"<a>" VYROBCE_WEB L"</a>"));
static_assert(std::wstring_view(L"" VYROBCE_ODKAZ_EMAIL) == std::wstring_view(L"<a>" VYROBCE_EMAIL L"</a>"));

// --- The font of the name

namespace {
constexpr int VYSKA_NAZVU = 20; // the name's character height in pixels at 96 DPI
} // namespace

pismo::pismo(UINT dpi)
{
  LOGFONTW lf{};
  if (!GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf)) fatalni_posledni_chyba();
  lf.lfHeight = -kestrum::na_dpi(VYSKA_NAZVU, dpi);
  wcscpy_s(lf.lfFaceName, L"Verdana");
  font.nastav(CreateFontIndirectW(&lf));
  if (!font.platny()) fatalni_posledni_chyba();
}

COLORREF barva_nazvu(COLORREF barva_textu_okna)
{
  return barva_textu_okna == RGB(0, 0, 0) ? RGB(160, 0, 0) : barva_textu_okna;
}

void pismo::kresli_text(const wchar_t* text, HDC dc, const RECT& obdelnik) const
{
  SetTextColor(dc, barva_nazvu(GetSysColor(COLOR_WINDOWTEXT)));
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ drive = SelectObject(dc, font.get());
  RECT r = obdelnik;
  DrawTextW(dc, text, -1, &r, DT_SINGLELINE);
  SelectObject(dc, drive);
}

// --- The version resource

std::wstring text_verze(WORD a, WORD b, WORD c, WORD d)
{
  wchar_t buf[200];
  swprintf(buf, 200, L"%u.%u.%u.%u", unsigned{a}, unsigned{b}, unsigned{c}, unsigned{d});
  return buf;
}

std::wstring radek_verze(const std::wstring& verze, int bity)
{
  return texty::verze_uvod + verze + L"  (" + std::to_wstring(bity) + texty::bitova_verze;
}

std::wstring cesta_retezce_verze(WORD jazyk, WORD kodova_stranka, const wchar_t* nazev)
{
  wchar_t buf[100];
  swprintf(buf, 100, L"\\StringFileInfo\\%04x%04x\\%ls", unsigned{jazyk}, unsigned{kodova_stranka}, nazev);
  return buf;
}

std::wstring cesta_copyright(WORD jazyk, WORD kodova_stranka)
{
  return cesta_retezce_verze(jazyk, kodova_stranka, L"LegalCopyright");
}

namespace {

// A program file's version resource, read into a block of the process heap that it owns.
class blok_verze {
public:
  void* data = nullptr;

  blok_verze() = default;
  ~blok_verze()
  {
    if (data && !HeapFree(GetProcessHeap(), 0, data)) fatalni_posledni_chyba();
  }
  blok_verze(const blok_verze&) = delete;
  blok_verze& operator=(const blok_verze&) = delete;

  // Reads the resource of the program file `cesta`, this program's when it is empty.
  HRESULT nacti(std::wstring cesta = {})
  {
    if (cesta.empty()) {
      cesta.assign(32768, L'\0');
      const DWORD n = GetModuleFileNameW(nullptr, cesta.data(), static_cast<DWORD>(cesta.size()));
      if (n == 0) fatalni_posledni_chyba();
      cesta.resize(n);
      if (!PathFileExistsW(cesta.c_str()) || PathIsDirectoryW(cesta.c_str())) fatalni_argument();
    }
    const DWORD velikost = GetFileVersionInfoSizeW(cesta.c_str(), nullptr);
    if (velikost == 0) return hresult_posledni_chyby();
    data = HeapAlloc(GetProcessHeap(), 0, velikost);
    if (!data) fatalni_pamet();
    if (!GetFileVersionInfoW(cesta.c_str(), 0, velikost, data)) return hresult_posledni_chyby();
    return S_OK;
  }

  // The value at `cesta`, or a failure.
  HRESULT hodnota(const wchar_t* cesta, void*& hodnota, UINT& delka) const
  {
    if (!VerQueryValueW(data, cesta, &hodnota, &delka) || !hodnota) return hresult_posledni_chyby();
    return S_OK;
  }
  // Reads the resource, then the value at `cesta`.
  HRESULT nacti(const wchar_t* cesta, void*& p, UINT& delka)
  {
    const HRESULT hr = nacti();
    return FAILED(hr) ? hr : hodnota(cesta, p, delka);
  }
};

} // namespace

HRESULT cti_verzi_produktu(WORD& a, WORD& b, WORD& c, WORD& d)
{
  blok_verze blok;
  void* p = nullptr;
  UINT delka = 0;
  const HRESULT hr = blok.nacti(L"\\", p, delka);
  if (FAILED(hr)) return hr;
  if (delka < sizeof(VS_FIXEDFILEINFO)) return HRESULT_FROM_WIN32(ERROR_RESOURCE_DATA_NOT_FOUND);
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(p);
  a = HIWORD(info->dwProductVersionMS);
  b = LOWORD(info->dwProductVersionMS);
  c = HIWORD(info->dwProductVersionLS);
  d = LOWORD(info->dwProductVersionLS);
  return S_OK;
}

HRESULT verze_text(std::wstring& out)
{
  WORD a = 0, b = 0, c = 0, d = 0;
  const HRESULT hr = cti_verzi_produktu(a, b, c, d);
  if (FAILED(hr)) return hr;
  out = text_verze(a, b, c, d);
  return S_OK;
}

HRESULT cti_retezec_verze(const std::wstring& program, const wchar_t* nazev, std::wstring& out)
{
  blok_verze blok;
  void* p = nullptr;
  UINT delka = 0;
  HRESULT hr = blok.nacti(program);
  if (SUCCEEDED(hr)) hr = blok.hodnota(L"\\VarFileInfo\\Translation", p, delka);
  if (FAILED(hr)) return hr;
  if (delka < 2 * sizeof(WORD)) return HRESULT_FROM_WIN32(ERROR_RESOURCE_DATA_NOT_FOUND);
  const auto* preklad = static_cast<const WORD*>(p);
  const std::wstring cesta = cesta_retezce_verze(preklad[0], preklad[1], nazev);
  hr = blok.hodnota(cesta.c_str(), p, delka);
  if (FAILED(hr)) return hr;
  // The length counts the terminating zero, when there is one.
  const auto* text = static_cast<const wchar_t*>(p);
  out.assign(text, wcsnlen(text, delka));
  return S_OK;
}

HRESULT cti_copyright(std::wstring& out) { return cti_retezec_verze({}, L"LegalCopyright", out); }

// --- The dialog

dlg_program_info::dlg_program_info() = default;

dlg_program_info::~dlg_program_info()
{
  pismo_nazvu.reset();
  tooltipy.zrus();
}

INT_PTR dlg_program_info::inicializuj(WPARAM)
{
  const std::wstring nazev = app().nazev();
  dialogy::nastav_ikony(hwnd);
  pismo_nazvu = std::make_unique<pismo>(kestrum::dpi_okna(hwnd)); // shown again: the new window's DPI
  dialogy::nastav_titulek(hwnd, L"O aplikaci " + nazev);
  if (!SetDlgItemTextW(hwnd, IDC_INFO_NAZEV, nazev.c_str())) fatalni_posledni_chyba();

  std::wstring text;
  HRESULT hr = cti_copyright(text);
  if (FAILED(hr)) fatalni_hresult(hr);
  if (!SetDlgItemTextW(hwnd, IDC_INFO_COPYRIGHT, text.c_str())) fatalni_posledni_chyba();
  hr = verze_text(text);
  if (FAILED(hr)) fatalni_hresult(hr);
  if (!SetDlgItemTextW(hwnd, IDC_INFO_VERZE, radek_verze(text, bity_sestaveni).c_str())) fatalni_posledni_chyba();

  tooltipy.vytvor(hwnd);
  tooltipy.pridej_id(IDC_INFO_EMAIL, 0);
  tooltipy.pridej_id(IDC_INFO_WEB, 0);

  // The name is drawn by the dialog.
  HWND nazev_okno = dialogy::prvek(hwnd, IDC_INFO_NAZEV);
  const LONG styl = GetWindowLongW(nazev_okno, GWL_STYLE);
  constexpr LONG vlastni = SS_NOTIFY | SS_OWNERDRAW;
  if ((styl & vlastni) != vlastni) {
    SetLastError(0);
    if (!SetWindowLongW(nazev_okno, GWL_STYLE, styl | vlastni) && GetLastError() != 0) fatalni_posledni_chyba();
  }
  SetForegroundWindow(hwnd);
  return TRUE;
}

INT_PTR dlg_program_info::zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM lparam)
{
  switch (zprava) {
  case WM_DRAWITEM:
    if (wparam == IDC_INFO_NAZEV && pismo_nazvu) {
      const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      const std::wstring nazev = kestrum::text_okna(dialogy::prvek(hwnd, IDC_INFO_NAZEV));
      pismo_nazvu->kresli_text(nazev.c_str(), di->hDC, di->rcItem);
    }
    return 0;
  case WM_NOTIFY: {
    const auto* h = reinterpret_cast<const NMHDR*>(lparam);
    if (h->code != NM_CLICK) return 0;
    // What the browser or the mail program then does is not ours to report.
    if (wparam == IDC_INFO_WEB)
      app().otevri_web();
    else if (wparam == IDC_INFO_EMAIL)
      ShellExecuteW(nullptr, L"open", (std::wstring(L"mailto:") + EMAIL_VYROBCE).c_str(), nullptr, nullptr,
                    SW_SHOWMAXIMIZED);
    return 0;
  }
  case WM_COMMAND:
    dialogy::ok_nebo_zrusit(hwnd, wparam, [] {});
    return 0;
  case WM_CTLCOLORDLG:
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
  case WM_CTLCOLORSTATIC:
    if (reinterpret_cast<HWND>(lparam) == GetDlgItem(hwnd, IDC_INFO_VERZE)) {
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, BARVA_VERZE);
    }
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
  default:
    return 0;
  }
}
