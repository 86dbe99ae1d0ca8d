#pragma once
// Folder listings (FindFirstFileW ... FindClose) and what a listed entry tells of itself.
// A folder is listed by its long path and "\*"; an entry's long path is its folder's, one
// backslash and its name.
#include <windows.h>
#include <string>
#include <vector>
#include "frame/vlastnici.h"

// An owned folder listing. The first entry is handed out by the first call of `dalsi`.
class vycet_slozky {
public:
  // Opens the listing of the folder at long path `slozka` (with a trailing backslash or
  // without). False when it cannot be listed: `chyba` then tells why.
  bool otevri(const std::wstring& slozka);
  // The next entry, "." and ".." included; false when there are no more.
  bool dalsi(WIN32_FIND_DATAW& polozka);
  // The error that kept the listing from opening or cut it short; 0 while it is open or
  // once it ran to its end.
  DWORD chyba() const { return chyba_; }

private:
  kestrum::handle_vyctu h_;
  DWORD chyba_ = 0;
  bool prvni_ = false;
  WIN32_FIND_DATAW prvni_polozka_{};
};

// The long path of entry `nazev` of the folder at `slozka` into `cesta`; false, with
// `cesta` empty, when it would be longer than the long-path calls take. A folder keeps room
// for the "\*" that its own listing adds.
bool cesta_polozky(std::wstring& cesta, const std::wstring& slozka, const wchar_t* nazev, bool je_slozka);

inline bool je_tecka(const wchar_t* nazev)
{
  return nazev[0] == L'.' && (nazev[1] == 0 || (nazev[1] == L'.' && nazev[2] == 0));
}

inline bool je_slozka_polozka(const WIN32_FIND_DATAW& p) { return (p.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

inline unsigned long long velikost_polozky(const WIN32_FIND_DATAW& p)
{
  return (static_cast<unsigned long long>(p.nFileSizeHigh) << 32) | p.nFileSizeLow;
}

// The reparse tag of a listed entry; it stands in dwReserved0 when the entry is a reparse point.
inline DWORD znacka(const WIN32_FIND_DATAW& p)
{
  return (p.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? p.dwReserved0 : 0;
}

// The entry for a path itself (no wildcard), as its folder lists it; false when there is none.
bool udaje_polozky(const std::wstring& dlouha, WIN32_FIND_DATAW& p);

// Whether the folder still lists entry `nazev` (exactly as the folder listed it) at long
// path `dlouha`, by one lookup: a lookup that answers with a name differing in letter case
// alone found another entry (on a case-sensitive folder), not this one. A lookup that fails
// for another reason than a missing name counts as listed.
bool jeste_uvedena(const std::wstring& dlouha, const wchar_t* nazev);

// Which of `nazvy` (names exactly as the folder listed them) the folder at long path
// `slozka` still lists: one listing for them all, into `zustava`. False when the folder
// cannot be listed to its end; `zustava` then tells nothing.
bool jeste_uvedene(const std::wstring& slozka, const std::vector<std::wstring>& nazvy, std::vector<bool>& zustava);
