#pragma once
// The folders that the user and the system keep for their own: the clean never takes one of
// them as a whole, since its lists would reach every document and every program's files in it.
#include <string>

// Whether a folder (its long or final path) is one of them: the user's profile, Documents,
// Desktop, Downloads, Pictures, Music, Videos, the Windows folder, Program Files (both) or
// ProgramData. Each is compared by its long path and its final path (links, short names and
// substituted drives resolved), letter case aside. A folder inside one of them is not one.
bool je_vlastni_slozka(const std::wstring& slozka);
