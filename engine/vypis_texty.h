#pragma once
// The texts of the log, of its menu and of the operations' boxes: the fixed ones, and the
// lines built around a path or a number. The failure texts of the clean stand in the string table.
#include <windows.h>
#include <string>

namespace texty {
inline constexpr const wchar_t* zanepraznen =
    L"Probíhá zpracování jiného požadavku. Tesvarin nelze nyní spustit.";
inline constexpr const wchar_t* vlakno_nevzniklo = L"Nepodařilo se spustit zpracování požadavku.";

inline constexpr const wchar_t* cisteni_spusteno = L"Vyčištění složky spuštěno";
inline constexpr const wchar_t* cisteni_uspesne = L"Vyčištění složky úspěšně dokončeno";
inline constexpr const wchar_t* cisteni_dokonceno = L"Vyčištění složky dokončeno";
inline constexpr const wchar_t* zdroj_cisteni_neplatny =
    L"Zadaná zálohovaná složka neexistuje nebo to není složka.";
inline constexpr const wchar_t* zdroj_cisteni_vlastni =
    L"Zadanou zálohovanou složku nelze vyčistit celou: je to vlastní složka uživatele nebo systému, nebo "
    L"taková složka leží v ní (profily uživatelů, profil, Veřejné, Dokumenty, Plocha, Stažené soubory, Obrázky, "
    L"Hudba, Videa, Oblíbené, data aplikací, OneDrive, Windows, Program Files nebo ProgramData), a vyčištění by "
    L"smazalo i soubory jiných programů. Nic nebylo smazáno. Zvolte složku projektu uvnitř ní.";

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

// The log's menu: the saved file's name before its date, the Save dialog's title before the
// program's name and its filter, and the boxes of its failures.
inline constexpr const wchar_t* vypis_nazev_souboru = L"Tesvarin výpis ";
inline constexpr const wchar_t* vypis_ulozit_titulek = L"Uložit výpis - ";
inline constexpr wchar_t vypis_filtr[] = L"Textové soubory (*.txt)\0*.txt\0Všechny soubory (*.*)\0*.*\0";
inline constexpr const wchar_t* vypis_neni_ve_schrance = L"Výpis se nepodařilo zkopírovat do schránky.";
inline constexpr const wchar_t* vypis_okno_ulozeni_selhalo =
    L"Okno pro uložení souboru se nepodařilo otevřít (kód chyby 0x%04lX).";
} // namespace texty

// "Složka "<path>" byla vymazána podle nastavení"; in a preview "... by byla vymazána ...".
std::wstring radek_slozka_smazana(const std::wstring& cesta, bool nahled = false);
// "Soubor "<path>" byl vymazán podle nastavení"; in a preview "... by byl vymazán ...".
std::wstring radek_soubor_smazan(const std::wstring& cesta, bool nahled = false);
// The failure line: the string-table text, a blank, the quoted path. In a preview the text's
// verb is conditional: "Nepodařilo se ..." becomes "Nepodařilo by se ...".
std::wstring radek_selhani(const std::wstring& text, const std::wstring& cesta, bool nahled = false);
// "Celkový čas čištění: N sekund", "Celkový čas: N sekund", "Celkový čas tesvarin: N sekund"
std::wstring radek_cas_cisteni(unsigned sekundy);
std::wstring radek_cas(unsigned sekundy);
std::wstring radek_cas_zalohy(unsigned sekundy);
// The line of a clean that leaves out a pattern for every name.
std::wstring radek_vzor_vynechan(const std::wstring& vzor);
// "!! Nepodařilo se odstranit N objektů !!"; in a preview "!! Nepodařilo by se ... !!".
std::wstring radek_pocet_chyb(LONG pocet, bool nahled = false);

// The preview of a clean. Numbers are grouped by threes with a no-break space (U+00A0), as
// the Czech locale groups them: "1 204".
std::wstring text_cisla(unsigned long long n);
// A size as Explorer writes it: below 1 KB in bytes ("1 bajt", "2 bajty", "512 bajtů"),
// otherwise in the largest of KB, MB, GB that it reaches, with one decimal cut off after it
// and a decimal comma ("38,2 MB").
std::wstring text_velikosti(unsigned long long bajtu);
// The Czech plural forms: 1 soubor, 2-4 soubory, 0 or 5 and more souborů; likewise složka,
// složky, složek, and after a verb (the accusative) složku, složky, složek.
std::wstring pocet_souboru(unsigned long long n);
std::wstring pocet_slozek(unsigned long long n, bool po_slovesu = false);
// "Náhled čištění složky "<path>" (nic nebude smazáno)"
std::wstring radek_nahled_spusten(const std::wstring& slozka);
// What a folder's line adds: " (1 204 souborů, 38,2 MB)".
std::wstring obsah_slozky(unsigned long long souboru, unsigned long long bajtu);
// "Náhled: vyčištění by odstranilo N souborů a M složek, celkem X. Nic nebylo smazáno."
std::wstring radek_nahled_souhrn(unsigned long long souboru, unsigned long long slozek, unsigned long long bajtu);
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

// The lines of the leftovers of earlier backups, and of an older copy that stayed aside.
std::wstring radek_zbytek_odstranen(const std::wstring& slozka);
std::wstring radek_zbytek_neodstranen(const std::wstring& slozka, const std::wstring& proc);
std::wstring radek_cizi_slozka(const std::wstring& slozka);
std::wstring radek_stara_kopie_je_v(const std::wstring& slozka);
// An older copy moved aside by a backup that ended midway, put back under its name.
std::wstring radek_kopie_vracena(const std::wstring& kopie, const std::wstring& slozka);
std::wstring radek_kopie_nevracena(const std::wstring& kopie, const std::wstring& slozka, const std::wstring& proc);
// The line and box when the older copy is, or holds, one of the user's or the system's own
// folders: it is not deleted, and nothing is copied.
std::wstring radek_stary_cil_chraneny(const std::wstring& cil);
// The line and box when a path of the copy, or of its source, is longer than the shell's
// copy takes (`delka` characters).
std::wstring radek_cesta_dlouha(const std::wstring& cesta, size_t delka);

// "Výpis se nepodařilo uložit do souboru "<path>"."
std::wstring zprava_vypis_neulozen(const std::wstring& soubor);
