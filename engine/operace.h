#pragma once
// The clean and the backup as whole operations, over what they need of the window they
// run for: its log, its error boxes, its clock and its handle.
#include <windows.h>
#include <string>
#include <vector>
#include "engine/cisteni.h"

class okno_operace : public prijemce_radku {
public:
  // Empties the log.
  virtual void vymaz_vypis() = 0;
  // An error message box; returns when it has been closed.
  virtual void chyba(const std::wstring& text) = 0;
  virtual void zacni_mereni() = 0;
  virtual unsigned uplynulo_sekund() = 0;
  // The window that owns what the shell shows while it copies.
  virtual HWND vlastnik() = 0;

protected:
  ~okno_operace() = default;
};

// What the clean takes from the window it runs for, read there before it starts.
struct zadani_cisteni {
  std::wstring zdroj;                // the source text, as it stands in the window
  std::vector<std::wstring> soubory; // the cleaning lists
  std::vector<std::wstring> slozky;
  radky_cisteni radky;               // which deletions get a line
};

// The checks of the clean's source text, in their order: a full path of an existing folder,
// not a volume's root nor the user's or the system's own folder, however spelt or reached.
// The folder as the log shows it (slashes made backslashes, one trailing backslash
// dropped), or empty once the box saying why has been shown.
std::wstring zdroj_cisteni(const std::wstring& text, okno_operace& okno);

// The clean: 0 when the traversal ran, also when some deletions failed (they are counted
// in `pocet_chyb`); E_INVALIDARG when the source is not a usable folder (then only the
// start line is written, and a box is shown).
HRESULT vycisteni(const zadani_cisteni& zadani, LONG& pocet_chyb, okno_operace& okno);

struct zadani_zalohy {
  std::wstring zdroj;            // the source text, used as typed
  std::wstring cil;              // the target location text
  bool pridat_datum = false;     // the date (and time) goes into the new folder's name
  bool smazat_stary_cil = false; // an older folder of that name may be deleted
  LONG vypis_casu = 0;           // the date-suffix format code
  const SYSTEMTIME* cas = nullptr; // the date of the suffix; null: the local time now
};

// The backup: 0 after a complete copy, a failure code when it stopped or the copy is not
// complete.
HRESULT zaloha(const zadani_zalohy& zadani, okno_operace& okno);
