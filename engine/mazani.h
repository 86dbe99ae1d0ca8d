#pragma once
// The checked deletes: one entry, a folder's whole tree, a folder named by the user. Each
// acts only through a handle that lies where the entry seems to lie (engine/soubory.h), so
// a link is removed as itself or not at all, and what it points to is never touched.
#include <windows.h>
#include <string>
#include "engine/soubory.h"

// The failure of a delete refused because the object is not where it seems (a link that
// would be deleted through, or a path that leads elsewhere).
inline const HRESULT E_JINDE = HRESULT_FROM_WIN32(ERROR_CANT_ACCESS_FILE);

// A folder that is, or holds, one of the user's or the system's own (engine/vlastni_slozky.h):
// no folder the user did not name for deletion is deleted whole when it is.
inline const HRESULT E_CHRANENA = HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);

// Sets the delete disposition of an open handle (opened with DELETE): the file or emptied
// folder goes when the last handle to it closes. False when it cannot be set.
bool oznac_ke_smazani(HANDLE h);

// Deletes one file, an emptied folder, or a link as itself (long path `dlouha`), through a
// handle that must lie at `ocekavane`. `zrusit_jen_pro_cteni`: clear a read-only attribute
// first (otherwise a read-only file stays and the call fails). `overit`: S_OK only once the
// path names nothing any more (a delete under Wine can report success for a file that
// stays). A failure returns the failing call's own code, E_JINDE for an object elsewhere.
HRESULT smazat_overene(const std::wstring& dlouha, const misto& ocekavane, bool zrusit_jen_pro_cteni, bool overit);

// Deletes a folder (long path `dlouha`, listing attributes `atributy`) that must lie at
// `ocekavane`, with all its content, by its own walk: links inside are removed as links
// where possible and never followed; read-only files and folders inside are deleted too.
// S_OK only when the folder is really gone; otherwise the first failure's own code (part
// of the folder may be gone).
HRESULT smazat_strom(const std::wstring& dlouha, const misto& ocekavane, DWORD atributy);

// What a folder's delete would take: its files (links removed as themselves count as files,
// the folders do not) and their size as the listings give it.
struct obsah_stromu {
  unsigned long long souboru = 0;
  unsigned long long bajtu = 0;
};
// Walks a folder as smazat_strom would delete it (the same walk and the same rules),
// deleting nothing and opening nothing for deletion: S_OK when it would go whole, otherwise
// the first reason it would stay. `obsah` counts what would go.
HRESULT spocitej_strom(const std::wstring& dlouha, const misto& ocekavane, DWORD atributy, obsah_stromu& obsah);

// Deletes a folder (path as typed) with all its content. The folder itself may be a link:
// then only the link is removed, or, where that is not possible, nothing. A folder that is
// or holds one of the user's or the system's own is never deleted (E_CHRANENA). S_OK when
// the folder is gone, otherwise the code of what stopped it.
HRESULT smazat_slozku(const std::wstring& cesta);
