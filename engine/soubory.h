#pragma once
// Paths and places of files and folders on disk. Every call takes the long-path form of a
// path, so paths beyond 259 characters are handled like any other. Nothing is deleted or
// entered by path alone: a file or folder is acted on through a handle that was checked to
// lie exactly in its folder under its own name (final paths compared), so a link, which
// every delete call under Wine follows, is never deleted through, entered or emptied.
#include <windows.h>
#include <string>
#include "frame/vlastnici.h"

// Every file and folder is opened with full sharing: others may go on reading, writing and
// deleting it.
constexpr DWORD SDILENI_VSE = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The long-path form of a path as the user typed it (made full first, so relative paths,
// "..", "." and slashes are resolved as the platform resolves them). Empty when it cannot
// be formed.
std::wstring dlouha_cesta(const std::wstring& cesta);

// The final path of an existing file or folder (links followed), opened without data
// access and with full sharing. Empty when it cannot be opened.
std::wstring konecna_cesta(const std::wstring& dlouha);
// The final path of an open handle; empty on failure.
std::wstring konecna_cesta_handle(HANDLE h);

// Attributes of a long path; INVALID_FILE_ATTRIBUTES when it does not exist.
DWORD atributy(const std::wstring& dlouha);
// Whether a long path names nothing any more.
bool neexistuje(const std::wstring& dlouha);
// Whether a path (as typed) names an existing folder.
bool je_slozka(const std::wstring& cesta);

// A folder (long path) opened to be looked at, links followed; not valid when it cannot be.
kestrum::handle_souboru otevri_slozku(const std::wstring& dlouha);

// Where a file or folder lies, in two forms: what a handle is checked against.
struct misto {
  // Its final path (GetFinalPathNameByHandleW); empty where the platform gives none (Wine
  // gives none beyond MAX_PATH) or it would be too long.
  std::wstring konecna;
  // Its volume and its path on that volume: the check where a final path is missing.
  bool ma_svazek = false;
  DWORD svazek = 0;
  std::wstring na_svazku;
};

// Where an open handle lies (both forms).
misto misto_handle(HANDLE h);
// Where the entry `nazev` of the folder at `rodic` lies if it is what it seems: the
// folder's place, a backslash and the name.
misto misto_polozky(const misto& rodic, const std::wstring& nazev);
// Whether an open handle lies at `m`: the final paths must be equal exactly (case kept), or,
// where a final path is missing, the volume and the path on it. A link, opened as what it
// points to, lies elsewhere, also when its target differs from it only in letter case.
bool lezi_na(HANDLE h, const misto& m);
