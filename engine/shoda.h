#pragma once
// Which directory entries the cleaning lists name, and what the clean does with each: the
// list entries (extensions, whole names, patterns), the entries that can never match, and
// links. Names are compared as the file system compares them, letter case aside
// (stejne_nazvy): never a name that is another name to the file system, and the same for
// every user locale.
#include <windows.h>
#include <string>
#include <string_view>
#include <vector>

// The index of the first entry of a cleaning list that is the same name as `nazev`, letter
// case aside; -1 when there is none.
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
