#include "frame/chyby.h"

#include <comdef.h>
#include <cstdlib>
#include "frame/aplikace.h"
#include "res/texty.h"

namespace {

[[noreturn]] void ukonci_s_textem(const std::wstring& text)
{
  FatalAppExitW(0, text.c_str());
  // FatalAppExitW does not come back; should it ever, the process still ends here.
  ExitProcess(1);
}

} // namespace

HRESULT hresult_z_win32(LONG e, HRESULT pri_nule)
{
  if (e > 0) return static_cast<HRESULT>(0x80070000u | (static_cast<DWORD>(e) & 0xFFFFu));
  if (e < 0) return static_cast<HRESULT>(e);
  return pri_nule;
}

HRESULT hresult_posledni_chyby()
{
  return hresult_z_win32(static_cast<LONG>(GetLastError()), E_FAIL);
}

std::wstring systemovy_text(HRESULT hr)
{
  _com_error chyba(hr);
  const TCHAR* text = chyba.ErrorMessage();
  return text ? std::wstring(text) : std::wstring();
}

std::wstring text_hresult(HRESULT hr)
{
  if (FAILED(hr) && HRESULT_FACILITY(hr) == FACILITY_ITF && HRESULT_CODE(hr) >= 0x200) {
    std::wstring text;
    if (nacti_text(static_cast<UINT>(HRESULT_CODE(hr)), text) > 0) return text;
  }
  return systemovy_text(hr);
}

void fatalni_hresult(HRESULT hr)
{
  if (hr == 0) hr = E_UNEXPECTED;
  ukonci_s_textem(text_hresult(hr));
}

void fatalni_posledni_chyba()
{
  HRESULT hr = hresult_z_win32(static_cast<LONG>(GetLastError()), E_UNEXPECTED);
  ukonci_s_textem(systemovy_text(hr));
}

void fatalni_argument() { fatalni_hresult(E_INVALIDARG); }
void fatalni_pamet() { fatalni_hresult(E_OUTOFMEMORY); }
void fatalni_handle() { fatalni_hresult(E_HANDLE); }

int nacti_text(UINT id, std::wstring& cil)
{
  if (!instance) fatalni_argument();
  const wchar_t* p = nullptr;
  // With a zero buffer size LoadStringW gives a pointer into the resource itself; that
  // text is not NUL-terminated, so only the returned length counts.
  int n = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&p), 0);
  if (n <= 0 || !p) return 0;
  cil.assign(p, static_cast<size_t>(n));
  return n;
}

std::wstring nacti_text(UINT id)
{
  std::wstring text;
  if (nacti_text(id, text) == 0) fatalni_posledni_chyba();
  return text;
}

std::wstring text_ukonceni(DWORD posledni_chyba, const std::wstring& systemovy)
{
  const std::wstring uvod = texty::ukonceni_uvod;
  if (posledni_chyba == 0) return uvod + texty::ukonceni_konec;
  return uvod + texty::ukonceni_winapi + systemovy + L"\n\n" + texty::ukonceni_konec + L".";
}

void obsluha_ukonceni()
{
  DWORD e = GetLastError();
  std::wstring systemovy;
  if (e != 0) systemovy = systemovy_text(hresult_z_win32(static_cast<LONG>(e), E_UNEXPECTED));
  MessageBoxW(nullptr, text_ukonceni(e, systemovy).c_str(), L"Kestrum software", MB_ICONERROR);
  ExitProcess(static_cast<UINT>(-99));
}

std::wstring text_parametru(const wchar_t* vyraz, const wchar_t* funkce, const wchar_t* soubor, unsigned int radek)
{
  std::wstring text = texty::parametr_crt;
  if (vyraz) text += vyraz;
  if (funkce) text += std::wstring(texty::parametr_funkce) + funkce;
  if (soubor) text += std::wstring(texty::parametr_soubor) + soubor;
  if (radek != 0) text += texty::parametr_radek + std::to_wstring(radek);
  return text;
}

void obsluha_parametru(const wchar_t* vyraz, const wchar_t* funkce, const wchar_t* soubor, unsigned int radek,
                       uintptr_t)
{
  ukonci_s_textem(text_parametru(vyraz, funkce, soubor, radek));
}

std::wstring text_chyby_udalosti(const wchar_t* text)
{
  std::wstring s = (text && *text) ? text : texty::chyba_aplikace;
  if (s.back() != L'.') s += L'.';
  s += L"\r\n";
  return s;
}
