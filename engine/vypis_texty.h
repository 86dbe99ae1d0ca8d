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

// The log's menu: the saved file's name before its date, the Save dialog's title before the
// program's name and its filter, and the boxes of its failures.
inline constexpr const wchar_t* vypis_nazev_souboru = L"Tesvarin výpis ";
inline constexpr const wchar_t* vypis_ulozit_titulek = L"Uložit výpis - ";
inline constexpr wchar_t vypis_filtr[] = L"Textové soubory (*.txt)\0*.txt\0Všechny soubory (*.*)\0*.*\0";
inline constexpr const wchar_t* vypis_neni_ve_schrance = L"Výpis se nepodařilo zkopírovat do schránky.";
inline constexpr const wchar_t* vypis_okno_ulozeni_selhalo =
    L"Okno pro uložení souboru se nepodařilo otevřít (kód chyby 0x%04lX).";
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

// The lines of the leftovers of earlier backups, and of an older copy that stayed aside.
std::wstring radek_zbytek_odstranen(const std::wstring& slozka);
std::wstring radek_zbytek_neodstranen(const std::wstring& slozka, const std::wstring& proc);
std::wstring radek_cizi_slozka(const std::wstring& slozka);
std::wstring radek_stara_kopie_je_v(const std::wstring& slozka);

// "Výpis se nepodařilo uložit do souboru "<path>"."
std::wstring zprava_vypis_neulozen(const std::wstring& soubor);
