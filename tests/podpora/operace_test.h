#pragma once
// What the engine tests share: a window stand-in that records the log and the boxes in
// their order, and small helpers for folder trees in the sandbox.
#include <windows.h>
#include <algorithm>
#include <stdexcept>
#include <initializer_list>
#include <string>
#include <vector>
#include "engine/nazev_kopie.h"
#include "engine/operace.h"
#include "tests/podpora/podpora.h"
#include "ui/nastaveni.h"

namespace test {

class okno_test final : public okno_operace {
public:
  std::vector<std::wstring> radky;  // the log as it stands
  std::vector<std::wstring> boxy;   // error boxes shown
  std::vector<std::wstring> poradi; // "radek: ...", "box: ...", "vymazano" as they came
  DWORD tik_startu = 0;             // the clock at the start of an operation...
  DWORD tik_konce = 0;              // ...and when the elapsed time is read

  void radek(const std::wstring& text) override
  {
    radky.push_back(text);
    poradi.push_back(L"radek: " + text);
  }
  void vymaz_vypis() override
  {
    radky.clear();
    poradi.push_back(L"vymazano");
  }
  void chyba(const std::wstring& text) override
  {
    boxy.push_back(text);
    poradi.push_back(L"box: " + text);
  }
  void zacni_mereni() override { start_ = tik_startu; }
  unsigned uplynulo_sekund() override { return sekundy_mezi(start_, tik_konce); }
  HWND vlastnik() override { return nullptr; }

private:
  DWORD start_ = 0;
};

// One backup with the inputs a window would give, dated 6.12.2026 7:05:09.
struct beh_zalohy {
  HRESULT hr = S_OK;
  okno_test okno;
};

inline beh_zalohy zalohuj(const std::wstring& zdroj, const std::wstring& cil, DWORD param = 0, LONG format = 3)
{
  SYSTEMTIME cas{};
  cas.wDay = 6, cas.wMonth = 12, cas.wYear = 2026, cas.wHour = 7, cas.wMinute = 5, cas.wSecond = 9;
  beh_zalohy b;
  zadani_zalohy z;
  z.zdroj = zdroj;
  z.cil = cil;
  z.pridat_datum = (param & param_pridat_datum) != 0;
  z.smazat_stary_cil = (param & param_smazat_stary_cil) != 0;
  z.vypis_casu = format;
  z.cas = &cas;
  b.hr = zaloha(z, b.okno);
  return b;
}

// Creates files (with all their folders, `koren` too) below `koren`; a path ending with a
// backslash is a
// folder alone.
inline void vytvor_strom(const std::wstring& koren, std::initializer_list<std::wstring> cesty)
{
  for (const std::wstring& c : cesty) {
    std::wstring plna = koren + L"\\" + c;
    for (size_t i = 3; i < plna.size(); ++i)
      if (plna[i] == L'\\') vytvor_slozku(plna.substr(0, i));
    if (plna.back() != L'\\') vytvor_soubor(plna, utf8(c));
  }
}

inline void jen_pro_cteni(const std::wstring& cesta)
{
  SetFileAttributesW(cesta.c_str(), GetFileAttributesW(cesta.c_str()) | FILE_ATTRIBUTE_READONLY);
}

inline std::string obsah(const std::wstring& cesta)
{
  HANDLE h = CreateFileW(cesta.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<none>";
  char b[4096];
  DWORD n = 0;
  ReadFile(h, b, sizeof b, &n, nullptr);
  CloseHandle(h);
  return std::string(b, n);
}

// A drive letter of its own for a sandbox folder (a link in the prefix's dosdevices), so that
// a volume's root can be handed to the engine without any risk to the machine. Returns the
// letter; `odpoj_jednotku` removes it again.
inline wchar_t pripoj_jednotku(const std::wstring& slozka)
{
  std::string c = unix_cesta(L"C:\\");
  const size_t i = c.find("/dosdevices/");
  if (i == std::string::npos) throw std::runtime_error("no dosdevices in " + c);
  const std::string prikaz = "ln -sfn '" + unix_cesta(slozka) + "' '" + c.substr(0, i) + "/dosdevices/r:'";
  if (linux_prikaz(prikaz) != 0) throw std::runtime_error("cannot map drive R:");
  return L'R';
}
inline void odpoj_jednotku(wchar_t)
{
  std::string c = unix_cesta(L"C:\\");
  linux_prikaz("rm -f '" + c.substr(0, c.find("/dosdevices/")) + "/dosdevices/r:'");
}

// The lines between the first and the last `konec` lines, sorted (the listing order of a
// folder is the file system's).
inline std::vector<std::wstring> serazene(const std::vector<std::wstring>& radky, size_t zacatek, size_t konec)
{
  if (radky.size() < zacatek + konec) return {L"<too few lines>"};
  std::vector<std::wstring> r(radky.begin() + static_cast<long>(zacatek), radky.end() - static_cast<long>(konec));
  std::sort(r.begin(), r.end());
  return r;
}

inline std::vector<std::wstring> serazene(std::vector<std::wstring> r)
{
  std::sort(r.begin(), r.end());
  return r;
}

} // namespace test
