#pragma once
// The settings record: source and target folder, flags, date-suffix format, log flags.
#include <windows.h>
#include <string>

constexpr DWORD param_pridat_datum = 1;      // append the date (and time) to the copy's name
constexpr DWORD param_smazat_stary_cil = 2;  // delete an older copy of that name first
constexpr DWORD vypis_slozky = 1;            // log every deleted folder
constexpr DWORD vypis_soubory = 2;           // log every deleted file

class nastaveni {
public:
  std::wstring slozka;
  std::wstring slozka_cil;
  DWORD param = 0;
  LONG vypis_casu = 0;
  DWORD vypis = 0;

  // Puts in the numeric defaults (3 each); the folder default is set by start-up.
  void vychozi_cisla();
  // Loads the five values over what the record holds; anything unreadable stays.
  void nacti();
  // Writes the five values; any failure ends the process.
  void uloz() const;
};

// The source folder default: the Documents folder if it exists, else the program's folder.
std::wstring vychozi_slozka();
