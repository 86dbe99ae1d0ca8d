#pragma once
// The walk of the clean: below a folder, every file and folder that the cleaning lists name
// is decided on, and is either to go (a file, a folder with its tree, a link as itself) or
// to stay and be reported. The clean deletes what goes through the checked deletes
// (engine/mazani.h); its preview (engine/nahled.h) takes the same walk and the same
// decisions, and only counts and describes.
#include <windows.h>
#include <string>
#include <vector>
#include "engine/shoda.h"
#include "engine/soubory.h"

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

// The failure texts of the string table: a folder or a file that stays, a folder that
// cannot be walked.
struct texty_selhani {
  std::wstring slozka, soubor, projit;
  texty_selhani();
};

// What a walk of the clean does with the entries it has decided on.
class cinnost_cisteni {
public:
  // Before every entry.
  virtual void pred_polozkou() {}
  // Before a subfolder is entered or dealt with, and once a folder's listing is done.
  virtual void predel() {}
  // An entry that goes: a file or a folder with its tree (akce::smazat), or a link as itself
  // (akce::odstranit_odkaz). `cesta` is its long path, `kde` where it must lie, `zobrazena`
  // its path as the log shows it.
  virtual void odstran(akce a, const WIN32_FIND_DATAW& polozka, const std::wstring& cesta, const misto& kde,
                       std::wstring&& zobrazena) = 0;
  // An entry that stays and is reported, with its failure text.
  virtual void selhani(const std::wstring& text, const std::wstring& zobrazena) = 0;

protected:
  ~cinnost_cisteni() = default;
};

// What the clean does with an entry listed below its source that is not skipped for its
// leading dot: `odpovida`, whether the lists name it; `ma_cestu`, whether its long path
// could be formed. A link is never entered; a read-only file stays, as the clean changes
// no attribute of what the lists name.
akce akce_cisteni(const WIN32_FIND_DATAW& polozka, bool odpovida, bool ma_cestu);

// The walk of a clean below a folder given as the log shows it (the folder itself is never
// compared with the lists), depth first, each entry decided before the next one is taken.
// A stored pattern for nearly every name is not used, and `vystup` says so first. A folder
// that cannot be walked, the top one included, is a failure.
void projdi_cisteni(const std::wstring& slozka, const seznamy_cisteni& seznamy, const texty_selhani& texty,
                    cinnost_cisteni& c, prijemce_radku& vystup);

// One clean: deletes what the walk decides to delete. Failed deletions are counted in
// `pocet_chyb` and written with their failure line.
//
// A file counts as deleted only once its folder no longer lists it. Under Wine a lookup of
// a missing name reads the whole folder, so the files deleted one after another in a folder
// are proven together, by one listing, and only then get their lines, in the order of their
// deletion. Such a batch is proven before any other line, before a subfolder is entered or
// deleted, at the folder's end, and once it is DAVKA_NEJVIC files or DAVKA_CAS_MS old (in a
// folder whose listing takes long, DAVKA_PODIL times as long as the last listing took).
class cisteni final : public cinnost_cisteni {
public:
  cisteni(const seznamy_cisteni& seznamy, radky_cisteni radky, prijemce_radku& vystup, LONG& pocet_chyb);

  // Cleans below a folder given as the log shows it.
  void vycisti(const std::wstring& slozka);

  void pred_polozkou() override;
  void predel() override { dokonci_davku(); }
  void odstran(akce a, const WIN32_FIND_DATAW& polozka, const std::wstring& cesta, const misto& kde,
               std::wstring&& zobrazena) override;
  void selhani(const std::wstring& text, const std::wstring& zobrazena) override;

private:
  // The batch's files: where each was deleted, and as the log shows it.
  struct smazany {
    std::wstring cesta;
    std::wstring zobrazena;
  };
  // Adds a deleted file to the batch; its folder's long path ends in a backslash.
  void do_davky(const std::wstring& slozka, const WIN32_FIND_DATAW& polozka, const std::wstring& cesta, std::wstring&& zobrazena);
  // Proves the batch's deletions and writes their lines: a file still listed is a failure.
  void dokonci_davku();

  seznamy_cisteni seznamy_;
  radky_cisteni radky_;
  prijemce_radku& vystup_;
  LONG& pocet_chyb_;
  texty_selhani texty_;
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
