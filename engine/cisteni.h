#pragma once
// The walk of the clean: below a folder, every file and folder that the cleaning lists name
// is deleted, each through the checked deletes (engine/mazani.h).
#include <windows.h>
#include <string>
#include <vector>

// Receives the lines of a clean.
class prijemce_radku {
public:
  virtual void radek(const std::wstring& text) = 0;

protected:
  ~prijemce_radku() = default;
};

// The two cleaning lists: file extensions or whole file names, and folder names.
struct seznamy_cisteni {
  const std::vector<std::wstring>& soubory;
  const std::vector<std::wstring>& slozky;
};

// Which deletions the clean writes a line for; a failure is always written.
struct radky_cisteni {
  bool slozky = true;  // each deleted folder
  bool soubory = true; // each deleted file
};

// One clean: walks a folder tree depth first and deletes what the lists name. Failed
// deletions are counted in `pocet_chyb` and written with their failure line.
class cisteni {
public:
  cisteni(const seznamy_cisteni& seznamy, radky_cisteni radky, prijemce_radku& vystup, LONG& pocet_chyb);

  // Cleans below a folder given as the log shows it (the folder itself is never compared
  // with the lists). A folder that cannot be walked, the top one included, is a failure:
  // counted and written with its line.
  void vycisti(const std::wstring& slozka);

private:
  struct uroven;
  void selhani(const std::wstring& text, const std::wstring& cesta);
  void zpracuj_soubor(const WIN32_FIND_DATAW& polozka, const std::wstring& cesta, const uroven& u);
  // True when the entry is a folder to be entered; `nova` is then filled in.
  bool zpracuj_slozku(const WIN32_FIND_DATAW& polozka, const std::wstring& cesta, const uroven& u, uroven& nova);

  seznamy_cisteni seznamy_;
  radky_cisteni radky_;
  prijemce_radku& vystup_;
  LONG& pocet_chyb_;
  std::wstring text_slozka_;
  std::wstring text_soubor_;
  std::wstring text_projit_;
};
