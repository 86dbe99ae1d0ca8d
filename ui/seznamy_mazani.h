#pragma once
// The two cleaning lists: file extensions or whole file names, and folder names.
#include <windows.h>
#include <string>
#include <vector>

class seznamy_mazani {
public:
  std::vector<std::wstring> soubory;
  std::vector<std::wstring> slozky;

  // Creating the lists loads them (and may write the defaults).
  seznamy_mazani() { nacti(); }
  // For tests: lists that are not loaded.
  struct bez_nacteni {};
  explicit seznamy_mazani(bez_nacteni) {}

  void nacti();
  void uloz() const;
  void vychozi_soubory();
  void vychozi_slozky();
  // The index of the first entry equal to `nazev` (stejne_nazvy), or -1.
  int najdi_soubor(const wchar_t* nazev) const;
  int najdi_slozku(const wchar_t* nazev) const;
  // Appends `nazev` exactly as given.
  void pridej_soubor(const std::wstring& nazev);
  void pridej_slozku(const std::wstring& nazev);
  // Removes entry `index`; the following entries move up. An index out of range (see
  // `v_rozsahu`) ends the process.
  void odeber_soubor(unsigned index);
  void odeber_slozku(unsigned index);
  // Removes every entry.
  void vyprazdni_soubory();
  void vyprazdni_slozky();
};

// Whether `index` names an entry of `seznam`.
bool v_rozsahu(const std::vector<std::wstring>& seznam, LONG_PTR index);
