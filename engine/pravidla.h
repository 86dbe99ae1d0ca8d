#pragma once
// The rules of the clean and the backup that need neither a window nor the disk: names,
// the date suffix, elapsed time, which entry matches and what is done with it, how paths
// are formed and compared, and the texts of the log lines.
#include <windows.h>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// --- Elapsed time

// Whole seconds between two readings of the low 32 bits of the millisecond tick count. The
// difference is taken modulo 2^32, so a counter that wrapped in between still gives the
// right answer; the remainder is dropped (999 ms give 0 s).
unsigned sekundy_mezi(DWORD start, DWORD ted);

// --- Names

// The source name: what follows the last backslash. 0 on success; 1 when the path has at
// most three characters (a drive root or shorter), holds no backslash, or ends with one.
int nazev_slozky(const std::wstring& zdroj, std::wstring& nazev);

// Drops every trailing backslash; returns how many were dropped.
size_t odstranit_koncova_lomitka(std::wstring& text);

// Whether a source name can stand as the last component of the new folder's path: not "."
// or "..", no character that is not allowed in a name (a slash would nest the copy), and no
// trailing dot or blank (Windows drops those, so the name would not be the one checked).
bool nazev_pouzitelny(const std::wstring& nazev);

// --- Date suffix of the new folder

// The date as day.month.year without leading zeros: 6.12.2026.
std::wstring text_data(const SYSTEMTIME& cas);
// The time part of date-format code 1 to 5, with its leading blank; empty for 1 and for
// any unknown code.
std::wstring cast_casu(const SYSTEMTIME& cas, LONG format);
// The whole suffix: a blank, the date and the time part (" 6.12.2026 7h 5m").
std::wstring pripona_data(const SYSTEMTIME& cas, LONG format);

// The new folder's name: the source name, and the date suffix when `pridat_datum`.
std::wstring nazev_kopie(const std::wstring& nazev, bool pridat_datum, LONG format, const SYSTEMTIME& cas);
// The target path: the location less all its trailing backslashes, one backslash, the new
// folder's name (D:\ and app give D:\app).
std::wstring cilova_cesta(std::wstring umisteni, const std::wstring& nazev_kopie);

// The endings of the temporary names beside a copy: the new copy while it is made and
// checked, and the older copy once it is moved aside to be deleted.
inline constexpr const wchar_t* PRIPONA_NOVE_KOPIE = L".tesvarin-new";
inline constexpr const wchar_t* PRIPONA_STARE_KOPIE = L".tesvarin-old";

// A temporary name beside the copy `cil`, one no user gives a folder: app.tesvarin-new
// (or the ending `pripona`); another try, numbered from 2, when that is taken.
std::wstring docasna_kopie(const std::wstring& cil, unsigned pokus, const wchar_t* pripona = PRIPONA_NOVE_KOPIE);

// --- Matching

// The index of the first entry of a cleaning list equal to `nazev` as lstrcmpiW compares
// whole strings (case-insensitively, in the user's locale); -1 when there is none.
int najdi_v_seznamu(const std::vector<std::wstring>& seznam, const wchar_t* nazev);

// Names beginning with a dot are skipped: neither deleted nor entered.
bool skryta_polozka(const wchar_t* nazev);

// An entry of the file list holding "*" or "?" is a pattern for the whole name.
bool je_vzor(std::wstring_view polozka);
// Whether a whole name fits a pattern, letter case aside: "*" stands for any run of
// characters (none too), "?" for exactly one (a surrogate pair is one). No 8.3 names, and
// "*.*" asks for a dot like any other pattern.
bool odpovida_vzoru(std::wstring_view vzor, std::wstring_view nazev);
// A pattern made only of "*", "?" and "." ("*", "*.*", "?*"): it would take nearly every
// name, so it is never used.
bool vzor_pro_vse(std::wstring_view polozka);
// The first character of an entry that no file name (`slozka` false) or folder name can
// hold, so the entry could never match: \ / : " < > |, and for folders * and ? too. 0 when
// there is none.
wchar_t nepovoleny_znak(std::wstring_view polozka, bool slozka);

// A file matches an entry without wildcards by its extension (dot included) or its whole
// name, and a pattern by its whole name; a pattern for every name is left out. A folder
// matches the folder list by its name.
bool soubor_odpovida(const std::vector<std::wstring>& soubory, const wchar_t* nazev);
bool slozka_odpovida(const std::vector<std::wstring>& slozky, const wchar_t* nazev);

// --- What is done with one directory entry

// A link: a reparse point whose tag is a name surrogate (symbolic link, junction, mount
// point) or 0, which is how Wine shows a Linux link. Other tags (cloud placeholders,
// deduplication) mark ordinary files and folders.
bool je_odkaz(DWORD atributy, DWORD znacka);

enum class akce {
  nechat,          // leave it alone
  vstoupit,        // clean inside it
  smazat,          // delete it (a folder with all its content)
  odstranit_odkaz, // remove the link itself, never what it points to
  selhani,         // it cannot be deleted safely: count it and write its failure line
};

// A folder entry. A link is never entered; a matching link is removed as a link where the
// platform can do that (name-surrogate tag), otherwise it stays and counts as a failure.
akce akce_slozky(DWORD atributy, DWORD znacka, bool odpovida);
// A file entry.
akce akce_souboru(DWORD atributy, DWORD znacka, bool odpovida);

// --- Paths

// A path as the operations take it: every slash a backslash ("Z:/t/app" is Z:\t\app).
std::wstring jednotna_lomitka(std::wstring cesta);
// Whether a path names its place without the current folder or drive: a drive letter with a
// backslash (C:\src), a share (\\server\share) or the "\\?\" form. ".", "..\x", "x",
// "\x" and the drive-relative "C:x" are not: they would name a folder the user never sees.
bool je_absolutni(const std::wstring& cesta);

// The longest path the long-path calls take, in UTF-16 units.
constexpr size_t NEJDELSI_CESTA = 32767;

// The long-path form of a full path: "\\?\C:\..." for a drive path, "\\?\UNC\server\share..."
// for a UNC path; a path already in the "\\?\" form stays. Empty for anything else
// (relative paths, device paths) and for a result longer than NEJDELSI_CESTA.
std::wstring dlouha_forma(const std::wstring& plna);

// Appends one backslash (unless the path already ends with one) and a name. False, with
// the path unchanged, when the result plus `rezerva` characters would be longer than
// NEJDELSI_CESTA.
bool pripoj_nazev(std::wstring& cesta, std::wstring_view nazev, size_t rezerva = 0);

// A folder's path without its trailing backslash, except for a drive root ("C:\" and
// "\\?\C:\" keep it).
std::wstring bez_koncoveho_lomitka(const std::wstring& cesta);
// A folder's path with one trailing backslash: one is added unless it ends with one.
std::wstring s_lomitkem(std::wstring cesta);

// Case-insensitive equality of two paths (ordinal, as the file system compares names).
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

// --- Copy verification

// Whether a copy's last-write time stands for the source's: equal, or within the two
// seconds to which FAT volumes round a file's time.
bool casy_shodne(const FILETIME& zdroj, const FILETIME& kopie);

// --- Texts

namespace texty {
inline constexpr const wchar_t* zanepraznen =
    L"Probíhá zpracování jiného požadavku. Tesvarin nelze nyní spustit.";
inline constexpr const wchar_t* vlakno_nevzniklo = L"Nepodařilo se spustit zpracování požadavku.";
inline constexpr const wchar_t* uz_bezi = L"Tesvarin již běží, ale jeho okno se nepodařilo zobrazit.";
inline constexpr const wchar_t* konec_relace_ceka = L"Tesvarin dokončuje čištění nebo zálohování složky.";

inline constexpr const wchar_t* cisteni_spusteno = L"Vyčištění složky spuštěno";
inline constexpr const wchar_t* cisteni_uspesne = L"Vyčištění složky úspěšně dokončeno";
inline constexpr const wchar_t* cisteni_dokonceno = L"Vyčištění složky dokončeno";
inline constexpr const wchar_t* zdroj_cisteni_neplatny =
    L"Zadaná zálohovaná složka neexistuje nebo to není složka.";
inline constexpr const wchar_t* zdroj_cisteni_vlastni =
    L"Zadanou zálohovanou složku nelze vyčistit celou: je to vlastní složka uživatele nebo systému (profil, "
    L"Dokumenty, Plocha, Stažené soubory, Obrázky, Hudba, Videa, Windows, Program Files nebo ProgramData) a "
    L"vyčištění by smazalo i soubory jiných programů. Nic nebylo smazáno. Zvolte složku projektu uvnitř ní.";

inline constexpr const wchar_t* zdroj_neexistuje = L"Zdrojová složka neexistuje.";
inline constexpr const wchar_t* cil_neexistuje = L"Cílová složka neexistuje.";
inline constexpr const wchar_t* zdroj_neplatny = L"Nebyla zadaná platná složka jako zdroj tesvarin.";
inline constexpr const wchar_t* cil_existuje = L"Cílová složka již existuje a není povoleno její odstranění.";
inline constexpr const wchar_t* prekryti = L"Zdrojová a cílová složka se překrývají.";
inline constexpr const wchar_t* prekryti_neovereno =
    L"Nepodařilo se ověřit, že se zdrojová a cílová složka nepřekrývají.";
inline constexpr const wchar_t* stary_cil_nesmazan = L"Původní cílovou složku se nepodařilo odstranit.";
inline constexpr const wchar_t* kopie_neprejmenovana = L"Novou kopii se nepodařilo přejmenovat na původní název.";
inline constexpr const wchar_t* kopirovani_selhalo = L"Při kopírování došlo k chybě";
inline constexpr const wchar_t* kopirovani_dokonceno = L"Kopírování složky bylo dokončeno";
} // namespace texty

// "Složka "<path>" byla vymazána podle nastavení"
std::wstring radek_slozka_smazana(const std::wstring& cesta);
// "Soubor "<path>" byl vymazán podle nastavení"
std::wstring radek_soubor_smazan(const std::wstring& cesta);
// The failure line: the string-table text, a blank, the quoted path.
std::wstring radek_selhani(const std::wstring& text, const std::wstring& cesta);
// "Celkový čas čištění: N sekund", "Celkový čas: N sekund", "Celkový čas tesvarin: N sekund"
std::wstring radek_cas_cisteni(unsigned sekundy);
std::wstring radek_cas(unsigned sekundy);
std::wstring radek_cas_zalohy(unsigned sekundy);
// The line of a clean that leaves out a pattern for every name.
std::wstring radek_vzor_vynechan(const std::wstring& vzor);
// "!! Nepodařilo se odstranit N objektů !!"
std::wstring radek_pocet_chyb(LONG pocet);
// "Původní složka <path> byla odstraněna."
std::wstring radek_stary_cil_odstranen(const std::wstring& cesta);
// The line and box when a link would make the copy recurse.
std::wstring radek_zacykleni(const std::wstring& odkaz);
// The line and box when links would make the copy hold a folder twice.
std::wstring radek_opakovani(const std::wstring& odkaz);
// The line and box when it cannot be told where a link leads.
std::wstring radek_odkaz_nejasny(const std::wstring& odkaz);
// The line after a failed copy that counts the files missing from it.
std::wstring radek_chybejici_soubory(unsigned long long pocet);
// Replacing an older copy: after a failed copy, that the older copy stays as it was and
// whether the partial copy went; where the complete new copy is when it could not take the
// older one's place (also the end of that box's text).
std::wstring radek_stara_kopie_zustala(const std::wstring& cil);
std::wstring radek_neuplna_kopie(const std::wstring& kopie, bool odstranena);
std::wstring radek_nova_kopie_je_v(const std::wstring& kopie);
