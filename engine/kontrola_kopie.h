#pragma once
// The checks around the backup's copy: before it, that no link makes the copy recurse or
// hold a folder twice; after it, that every file of the source stands in the copy.
#include <windows.h>
#include <string>

// What the check before a backup found.
struct nalez_kopie {
  enum druh {
    nic,        // the copy can go ahead
    zacykleni,  // a link leads back into a folder being copied, or into the new folder
    opakovani,  // a folder would be copied a second time through links
    nejasny,    // a link whose target cannot be told
    dlouha,     // a path longer than the shell's copy takes
  } co = nic;
  std::wstring odkaz; // the link's path, as the log shows it; for `dlouha` the long path
  size_t delka = 0;   // for `dlouha`: that path's length
};

// The longest path, in characters, that the shell's copy reads or writes.
constexpr size_t NEJDELSI_CESTA_SHELLU = MAX_PATH - 1;

// The check before a backup: walks the source as the shell's copy walks it, following
// links, and stops at the first link that would make the copy recurse, copy a folder twice
// (any folder reached a second time, so the walk stays linear), or that cannot be told
// where it leads (it fails closed); and at the first path, in the source or in the copy
// under its own name `zobrazeny_cil`, too long for the shell's copy. `konecny_zdroj` and
// `konecny_cil` are the final paths of the source and of the new folder.
nalez_kopie zkontroluj_pred_kopii(const std::wstring& zobrazeny_zdroj, const std::wstring& dlouhy_zdroj,
                                  const std::wstring& konecny_zdroj, const std::wstring& konecny_cil,
                                  const std::wstring& zobrazeny_cil);

// The check after a backup: the number of files of the source, as the copy sees it
// (through the links it follows), that are missing from the copy under their exact name or
// differ from the source in size or last-write time; a folder that cannot be read counts.
unsigned long long chybejici_v_kopii(const std::wstring& dlouhy_zdroj, const std::wstring& dlouhy_cil);

// Whether a copy's last-write time stands for the source's: equal, or within the two
// seconds to which FAT volumes round a file's time.
bool casy_shodne(const FILETIME& zdroj, const FILETIME& kopie);
