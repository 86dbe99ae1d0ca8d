#pragma once
// The registry store: one key of the current user holds everything that survives a run.
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>
#include "frame/vlastnici.h"

// The application's key under HKEY_CURRENT_USER.
extern const wchar_t* const KLIC_APLIKACE;
// Access mask of every open and create: KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY.
constexpr REGSAM PRISTUP_KLICE = 0x2001F;

// HRESULT for a registry status (HRESULT_FROM_WIN32).
HRESULT hresult_registru(LONG status);

class klic_registru {
public:
  kestrum::handle_klice hkey;
  std::wstring cesta;

  explicit klic_registru(const wchar_t* cesta);
  klic_registru(const klic_registru&) = delete;
  klic_registru& operator=(const klic_registru&) = delete;

  HRESULT otevri();
  void vytvor_klic();
  HRESULT cti_dword(const wchar_t* nazev, DWORD& cil);
  HRESULT cti_retezec(const wchar_t* nazev, std::wstring& cil);
  HRESULT cti_umisteni(void* cil20);
  void zavri();
};

// Multi-string decoding (pure). Splits at NULs, stops at the first empty piece or at the end of the data; a string cut
// off by the end is taken whole; an odd trailing byte is dropped.
std::vector<std::wstring> dekoduj_retezce(const void* data, size_t bajtu);

// A REG_MULTI_SZ value held in a block of the process heap.
class vice_retezcu {
public:
  void* data = nullptr;
  uint32_t size = 0;

  vice_retezcu() = default;
  vice_retezcu(const vice_retezcu&) = delete;
  vice_retezcu& operator=(const vice_retezcu&) = delete;
  ~vice_retezcu() { uvolni(); }

  void pridej(const wchar_t* text);
  void z_posloupnosti(const std::vector<std::wstring>& seznam);
  void do_posloupnosti(std::vector<std::wstring>& seznam) const;
  HRESULT zapis(const wchar_t* cesta, const wchar_t* nazev) const;
  HRESULT cti(const wchar_t* cesta, const wchar_t* nazev);
  void uvolni();
};
