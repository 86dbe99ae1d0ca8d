#pragma once
// The two cleaning lists: file extensions or whole file names, and folder names.
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
  int najdi_soubor(const wchar_t* nazev) const;
  int najdi_slozku(const wchar_t* nazev) const;
  void odeber_soubor(unsigned index);
  void odeber_slozku(unsigned index);
};

// Case-insensitive whole-string search (lstrcmpiW); first index or -1.
int najdi_v_seznamu(const std::vector<std::wstring>& seznam, const wchar_t* nazev);
