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
//
// A file counts as deleted only once its folder no longer lists it. Under Wine a lookup of
// a missing name reads the whole folder, so the files deleted one after another in a folder
// are proven together, by one listing, and only then get their lines, in the order of their
// deletion. Such a batch is proven before any other line, before a subfolder is entered or
// deleted, at the folder's end, and once it is DAVKA_NEJVIC files or DAVKA_CAS_MS old (in a
// folder whose listing takes long, DAVKA_PODIL times as long as the last listing took).
class cisteni {
public:
  cisteni(const seznamy_cisteni& seznamy, radky_cisteni radky, prijemce_radku& vystup, LONG& pocet_chyb);

  // Cleans below a folder given as the log shows it (the folder itself is never compared
  // with the lists). A folder that cannot be walked, the top one included, is a failure:
  // counted and written with its line.
  void vycisti(const std::wstring& slozka);

private:
  struct uroven;
  // The batch's files: where each was deleted, and as the log shows it.
  struct smazany {
    std::wstring cesta;
    std::wstring zobrazena;
  };
  // Adds a deleted file to the batch; its folder's long path ends in a backslash.
  void do_davky(const std::wstring& slozka, const WIN32_FIND_DATAW& polozka, const std::wstring& cesta, std::wstring&& zobrazena);
  // Proves the batch's deletions and writes their lines: a file still listed is a failure.
  void dokonci_davku();
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
  std::vector<smazany> davka_;
  std::vector<std::wstring> davka_nazvy_; // as the folder lists them
  std::wstring davka_slozka_;             // the batch's folder (long path)
  ULONGLONG davka_od_ = 0;                // tick count of its first deletion
  ULONGLONG vypis_trval_ = 0;             // ms of the last listing of that folder
};

// In a large folder a batch waits eight times what its last listing took, so that the
// listings stay a small share of the time whatever the folder's size; its lines then come
// in bursts up to about two seconds apart (35,000 files).
constexpr size_t DAVKA_NEJVIC = 4096;
constexpr ULONGLONG DAVKA_CAS_MS = 100;
constexpr ULONGLONG DAVKA_PODIL = 8;
// A batch this small is proven file by file: a lookup reads the folder's names only, a
// listing every entry's details.
constexpr size_t DAVKA_PO_JEDNOM = 8;

// Whether a batch of `pocet` files is proven by one listing of its folder, not file by file.
constexpr bool davka_vypisem(size_t pocet) { return pocet > DAVKA_PO_JEDNOM; }
// Whether a batch of `pocet` files, the oldest deleted `stari_ms` ago, is to be proven now.
constexpr bool davka_hotova(size_t pocet, ULONGLONG stari_ms, ULONGLONG vypis_trval_ms)
{
  const ULONGLONG mez = DAVKA_PODIL * vypis_trval_ms > DAVKA_CAS_MS ? DAVKA_PODIL * vypis_trval_ms : DAVKA_CAS_MS;
  return pocet >= DAVKA_NEJVIC || (pocet > 0 && stari_ms >= mez);
}
