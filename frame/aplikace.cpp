#include "frame/aplikace.h"

#include <gdiplus.h>

#include "frame/chyby.h"
#include "frame/vyrobce.h"

const wchar_t* const WEB_VYROBCE = L"" VYROBCE_WEB;
const wchar_t* const EMAIL_VYROBCE = L"" VYROBCE_EMAIL;
const wchar_t* const COPYRIGHT_VYROBCE = L"" VYROBCE_COPYRIGHT;
const wchar_t* const TRIDA_OKNA = L"tesvarin";

HINSTANCE instance = nullptr;

// Defined in this order so that the at-exit safety net destroys them in the reverse one:
// dialogs, main window, lists, settings, and the application object last.
kestrum::jedinacek<aplikace> g_aplikace;
kestrum::jedinacek<nastaveni> g_nastaveni;
kestrum::jedinacek<seznamy_mazani> g_seznamy;
kestrum::jedinacek<hlavni_okno> g_hlavni_okno;
kestrum::jedinacek<dlg_nastaveni> g_dlg_nastaveni;
kestrum::jedinacek<dlg_program_info> g_dlg_info;

aplikace& app()
{
  if (!g_aplikace) fatalni_handle();
  return *g_aplikace;
}

nastaveni& nast()
{
  if (!g_nastaveni) fatalni_argument();
  return *g_nastaveni;
}

seznamy_mazani& seznamy()
{
  if (!g_seznamy) fatalni_argument();
  return *g_seznamy;
}

namespace {
// Every box of the application is task-modal and comes to the front.
constexpr UINT PRIZNAKY_BOXU = MB_TASKMODAL | MB_SETFOREGROUND;
} // namespace

namespace kestrum {

const wchar_t* aplikace_exe::nazev() { return L"Kestrum software"; }

bool aplikace_exe::dotaz(const wchar_t* text, bool ano_vychozi, bool varovani, HWND vlastnik)
{
  if (!text) fatalni_argument();
  UINT priznaky = MB_YESNOCANCEL | (varovani ? MB_ICONWARNING : MB_ICONQUESTION) |
                  (ano_vychozi ? 0u : static_cast<UINT>(MB_DEFBUTTON2)) | PRIZNAKY_BOXU;
  return MessageBoxW(vlastnik, text, nazev(), priznaky) != IDYES;
}

void aplikace_exe::zprava_ansi(const char* text, UINT priznaky)
{
  if (!text) fatalni_argument();
  const wchar_t* titulek = nazev();
  int n = WideCharToMultiByte(CP_ACP, 0, titulek, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) fatalni_posledni_chyba();
  std::string ansi(static_cast<size_t>(n), '\0');
  if (WideCharToMultiByte(CP_ACP, 0, titulek, -1, ansi.data(), n, nullptr, nullptr) <= 0) fatalni_posledni_chyba();
  MessageBoxA(nullptr, text, ansi.c_str(), priznaky | PRIZNAKY_BOXU);
}

int aplikace_exe::zprava(const wchar_t* text, UINT priznaky)
{
  if (!text) fatalni_argument();
  return MessageBoxW(nullptr, text, nazev(), priznaky | PRIZNAKY_BOXU);
}

HRESULT aplikace_exe::zapis_udalost(const wchar_t* text)
{
  if (!text) fatalni_argument();
  HANDLE h = RegisterEventSourceW(nullptr, nazev());
  if (!h) return hresult_posledni_chyby();
  HRESULT hr = S_OK;
  if (!ReportEventW(h, EVENTLOG_ERROR_TYPE, 0, 0, nullptr, 1, 0, &text, nullptr)) hr = hresult_posledni_chyby();
  if (!DeregisterEventSource(h)) fatalni_posledni_chyba();
  return hr;
}

HRESULT aplikace_exe::zapis_chybu(const wchar_t* text)
{
  return zapis_udalost(text_chyby_udalosti(text).c_str());
}

HRESULT aplikace_exe::zapis_hresult(HRESULT hr)
{
  if (hr == 0) hr = E_UNEXPECTED;
  return zapis_chybu(text_hresult(hr).c_str());
}

// The icons at the system's two sizes.
void aplikace_exe::nacti_ikony()
{
  if (!instance) fatalni_argument();
  for (HICON* ikona : {&ikona_velka, &ikona_mala}) {
    if (*ikona && !DestroyIcon(*ikona)) fatalni_posledni_chyba();
    *ikona = nullptr;
  }
  ikona_velka = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(101), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                              LR_DEFAULTCOLOR));
  if (!ikona_velka) fatalni_posledni_chyba();
  ikona_mala = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(101), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                             LR_DEFAULTCOLOR));
  if (!ikona_mala) fatalni_posledni_chyba();
}

void aplikace_exe::spust_gdiplus()
{
  if (gdiplus_token != 0) return;
  Gdiplus::GdiplusStartupInput vstup; // version 1, no debug callback, nothing suppressed
  if (Gdiplus::GdiplusStartup(&gdiplus_token, &vstup, nullptr) != Gdiplus::Ok) fatalni_posledni_chyba();
}

void aplikace_exe::uvolni()
{
  for (HICON* ikona : {&ikona_velka, &ikona_mala}) {
    if (*ikona) {
      HICON h = *ikona;
      *ikona = nullptr;
      if (!DestroyIcon(h)) fatalni_posledni_chyba();
    }
  }
  if (gdiplus_token != 0) {
    Gdiplus::GdiplusShutdown(gdiplus_token);
    gdiplus_token = 0;
  }
}

} // namespace kestrum

const wchar_t* aplikace::nazev() { return L"Tesvarin"; }
