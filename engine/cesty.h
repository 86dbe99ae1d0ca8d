#pragma once
// How paths are formed and compared: separators, the long-path form, a name appended, the
// trailing backslash, and whether two paths are the same place, lie one inside the other or
// name a volume's root. No disk is touched.
#include <windows.h>
#include <cstddef>
#include <string>
#include <string_view>

// The longest path the long-path calls take, in UTF-16 units.
constexpr size_t NEJDELSI_CESTA = 32767;

// A path as the operations take it: every slash a backslash ("Z:/t/app" is Z:\t\app).
std::wstring jednotna_lomitka(std::wstring cesta);
// Whether a path names its place without the current folder or drive: a drive letter with a
// backslash (C:\src), a share (\\server\share) or the "\\?\" form. ".", "..\x", "x",
// "\x" and the drive-relative "C:x" are not: they would name a folder the user never sees.
bool je_absolutni(const std::wstring& cesta);

// The long-path form of a full path: "\\?\C:\..." for a drive path, "\\?\UNC\server\share..."
// for a UNC path; a path already in the "\\?\" form stays. Empty for anything else
// (relative paths, device paths) and for a result longer than NEJDELSI_CESTA.
std::wstring dlouha_forma(const std::wstring& plna);

// Appends one backslash (unless the path already ends with one) and a name. False, with
// the path unchanged, when the result plus `rezerva` characters would be longer than
// NEJDELSI_CESTA.
bool pripoj_nazev(std::wstring& cesta, std::wstring_view nazev, size_t rezerva = 0);

// The trailing backslash, in its three meanings:
// - the stem a name is appended to: every trailing backslash dropped, a drive root too
//   (C:\ gives C:); returns how many were dropped;
size_t odstranit_koncova_lomitka(std::wstring& text);
// - a folder's path in its one form, to open or compare: every trailing backslash dropped,
//   but a drive root keeps one (C:\ and \\?\C:\ stay);
std::wstring bez_koncoveho_lomitka(const std::wstring& cesta);
// - a folder's path that a name follows directly: one backslash added unless it ends with one.
std::wstring s_lomitkem(std::wstring cesta);

// Whether two names are the same to the file system, letter case aside: an ordinal
// comparison after the simple upper-case mapping, the same for every user locale.
bool stejne_nazvy(std::wstring_view a, std::wstring_view b);
// Case-insensitive equality of two paths, trailing backslashes aside.
bool stejne_cesty(const std::wstring& a, const std::wstring& b);
// Exact equality of two paths (ordinal, case kept), trailing backslashes aside: where an
// object lies. Final paths and listings give names as they are stored, and on a
// case-sensitive file system (or folder) app\notes.db and APP\notes.db are two files.
bool stejne_presne(const std::wstring& a, const std::wstring& b);
// Whether a full path (plain or in the "\\?\" form) is the root of a volume: a drive
// (C:\), a share (\\server\share) or a volume name. Trailing backslashes do not count.
bool je_koren_svazku(const std::wstring& plna);
// Whether `vnitrni` lies below `vnejsi`; a prefix counts only up to a backslash, so
// C:\src\app2 is not inside C:\src\app.
bool lezi_uvnitr(const std::wstring& vnitrni, const std::wstring& vnejsi);
// Equal, or one inside the other.
bool prekryvaji_se(const std::wstring& a, const std::wstring& b);

// The form of a path that the shell's file operation takes: a "\\?\" prefix is dropped
// ("\\?\UNC\" becomes "\\"). Empty when the path has another form the shell cannot take.
std::wstring cesta_pro_shell(const std::wstring& cesta);
