#pragma once
// The temporary copies of the backup: a new copy is made and checked under a temporary name
// beside its target, and an older copy is moved aside under one before it is deleted. Each
// such folder carries a mark, a file of its own name at its top; a backup holds the mark of
// its new copy open while it copies. A folder under a temporary name with a mark that
// nobody holds is what an ended backup left behind, and the next backup removes it.
#include <windows.h>
#include <string>
#include <string_view>
#include "engine/cisteni.h"
#include "frame/vlastnici.h"

// The mark's file name. Names beginning with a dot are never touched by the clean.
inline constexpr const wchar_t* ZNACKA_KOPIE = L".tesvarin-docasna-kopie";

// Whether `nazev` is a temporary name (docasna_kopie) of a copy of the source named `zdroj`,
// with or without a date suffix: app.tesvarin-new, app 6.12.2026 7h 5m.tesvarin-old-2.
// Letter case aside, as the file system compares names.
bool je_docasna_kopie(std::wstring_view zdroj, std::wstring_view nazev);

// Marks the folder at long path `slozka`. `drzet`: the mark stays open (without sharing for
// writing or deletion) in the handle returned, so that no other backup takes the folder for
// a leftover; otherwise it is closed at once. Never marks a link. A handle that holds nothing
// when the mark could not be made.
kestrum::handle_souboru oznac_kopii(const std::wstring& slozka, bool drzet);

// Deletes a temporary folder (path as the log shows it); what stays of it is marked again,
// since the delete may have taken the mark first, so that the next backup removes it.
HRESULT smazat_docasnou(const std::wstring& slozka);

// Removes the leftovers of earlier backups of the source named `zdroj` from the target
// location `umisteni` (as the log shows it): every marked folder under a temporary name that
// no backup holds. Each removal, each failure and each folder under such a name that stays
// because it cannot be proven a leftover is written as a line.
void odstran_zbytky(const std::wstring& umisteni, const std::wstring& zdroj, prijemce_radku& vystup);

