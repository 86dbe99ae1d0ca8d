#pragma once
// The texts of the windows, dialogs and boxes that the code builds or holds as constants,
// for the frame and the user interface alike. The fixed texts of the dialogs, menus and
// tooltips stand in tesvarin.rc (its string table among them); the log's, its menu's and
// the operations' in engine/vypis_texty.

namespace texty {
// The frame: the fatal handlers' boxes, the event log's entry without a text, the box when
// another Tesvarin runs but its window could not be brought forward.
inline constexpr const wchar_t* ukonceni_uvod =
    L"Došlo k neočekávanému ukončení aplikace nebo k neobsloužené výjimce.\n\n";
inline constexpr const wchar_t* ukonceni_konec = L"Aplikace bude ukončena";
inline constexpr const wchar_t* ukonceni_winapi = L"Chyba WinAPI: ";
inline constexpr const wchar_t* parametr_crt = L"Byl zadán chybný parametr funkce z knihovny CRT!\n";
inline constexpr const wchar_t* parametr_funkce = L"\nFunkce: ";
inline constexpr const wchar_t* parametr_soubor = L"\nSoubor: ";
inline constexpr const wchar_t* parametr_radek = L"\nŘádek: ";
inline constexpr const wchar_t* chyba_aplikace = L"Chyba aplikace";
inline constexpr const wchar_t* uz_bezi = L"Tesvarin již běží, ale jeho okno se nepodařilo zobrazit.";

// The main dialog: the reason while an operation holds up the end of the session; why a name
// cannot go on a list ("Název souboru nemůže obsahovat znak „|“.", "Vzor „*.*“ by při ...").
inline constexpr const wchar_t* konec_relace_ceka = L"Tesvarin dokončuje čištění nebo zálohování složky.";
inline constexpr const wchar_t* nazev_slozky = L"Název složky";
inline constexpr const wchar_t* nazev_souboru = L"Název souboru";
inline constexpr const wchar_t* nemuze_obsahovat = L" nemůže obsahovat znak „";
inline constexpr const wchar_t* znak_konec = L"“.";
inline constexpr const wchar_t* zastupne_jen_soubory = L" Zástupné znaky lze použít jen v seznamu souborů.";
inline constexpr const wchar_t* vzor_uvod = L"Vzor „";
inline constexpr const wchar_t* vzor_pro_vse =
    L"“ by při čištění vymazal téměř všechny soubory, proto jej nelze přidat do seznamu.";

// The folder edits: the folder dialog's title, the "..." button's tip.
inline constexpr const wchar_t* vyber_slozky = L"Vyberte požadovanou složku";
inline constexpr const wchar_t* tip_tlacitka_slozky = L"Vybrat složku standardním dialogem Windows";

// The preferences: the title before the program's name, the date formats.
inline constexpr const wchar_t* predvolby_titulek = L"Předvolby - ";
inline constexpr const wchar_t* format_datum = L"Pouze datum";
inline constexpr const wchar_t* format_h_m = L"Datum a čas ve tvaru D.M.R Xh Xm";
inline constexpr const wchar_t* format_h_m_s = L"Datum a čas ve tvaru D.M.R Xh Xm Xs";
inline constexpr const wchar_t* format_pomlcky = L"Datum a čas ve tvaru D.M.R H-M";
inline constexpr const wchar_t* format_pomlcky_s = L"Datum a čas ve tvaru D.M.R H-M-S";

// The about box: "verze: 1.0.0.2  (32-bitová verze)".
inline constexpr const wchar_t* verze_uvod = L"verze: ";
inline constexpr const wchar_t* bitova_verze = L"-bitová verze)";
} // namespace texty
