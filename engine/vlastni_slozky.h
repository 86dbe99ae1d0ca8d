#pragma once
// The folders that the user and the system keep for their own. No folder that is one of
// them, or holds one, is ever deleted or cleaned whole: the clean's lists would reach every
// document and every program's files in it, and a backup's older copy of that name would
// take them all.
#include <string>
#include <vector>

// Whether a folder (its long or final path) is, or holds, one of them: the folder of all
// profiles, the public profile and its known folders, the user's profile and its known
// folders (Documents, Desktop, Downloads, Pictures, Music, Videos, Favorites, the roaming
// and local application data, OneDrive where it is set), the Windows folder, Program Files
// (both) and ProgramData, or a volume's root. Each is compared by its long path and its
// final path (links, short names and substituted drives resolved), letter case aside, and
// so is the folder itself. A folder inside one of them is not one.
bool je_vlastni_slozka(const std::wstring& slozka);

// The rule itself, on paths already formed: whether any form of the folder (`tvary`) is,
// or holds, any form of a protected folder (`chranene`), or is a volume's root.
bool je_nebo_obsahuje(const std::vector<std::wstring>& tvary, const std::vector<std::wstring>& chranene);
