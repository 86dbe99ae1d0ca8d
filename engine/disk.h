#pragma once
// The file-system core of the clean and the backup. Every call takes the long-path form of
// a path, so paths beyond 259 characters are handled like any other. Nothing is deleted or
// entered by path alone: a file or folder is acted on through a handle that was checked to
// lie exactly in its folder under its own name (final paths compared), so a link, which
// every delete call under Wine follows, is never deleted through, entered or emptied.
#include <windows.h>
#include <cstdint>
#include <string>

class seznamy_mazani;

// An owned file or folder handle, closed once.
class handle_souboru {
public:
  handle_souboru() = default;
  explicit handle_souboru(HANDLE h) : h_(h) {}
  handle_souboru(handle_souboru&& o) noexcept : h_(o.h_) { o.h_ = INVALID_HANDLE_VALUE; }
  handle_souboru& operator=(handle_souboru&& o) noexcept;
  handle_souboru(const handle_souboru&) = delete;
  handle_souboru& operator=(const handle_souboru&) = delete;
  ~handle_souboru() { zavri(); }

  bool platny() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE get() const { return h_; }
  void zavri();

private:
  HANDLE h_ = INVALID_HANDLE_VALUE;
};

// An owned folder listing (FindFirstFileW ... FindClose). The first entry is handed out by
// the first call of `dalsi`.
class vycet_slozky {
public:
  vycet_slozky() = default;
  vycet_slozky(vycet_slozky&& o) noexcept;
  vycet_slozky& operator=(vycet_slozky&& o) noexcept;
  vycet_slozky(const vycet_slozky&) = delete;
  vycet_slozky& operator=(const vycet_slozky&) = delete;
  ~vycet_slozky() { zavri(); }

  // Opens the listing of a folder given by its long path with a trailing backslash.
  bool otevri(const std::wstring& predpona);
  // The next entry, "." and ".." included; false when there are no more.
  bool dalsi(WIN32_FIND_DATAW& polozka);
  void zavri();
  // The error that cut the listing short (0 when it ran to its end or is still open).
  DWORD chyba() const { return chyba_; }

private:
  HANDLE h_ = INVALID_HANDLE_VALUE;
  DWORD chyba_ = 0;
  bool prvni_ = false;
  WIN32_FIND_DATAW prvni_polozka_{};
};

// The long-path form of a path as the user typed it (made full first, so relative paths,
// "..", "." and slashes are resolved as the platform resolves them). Empty when it cannot
// be formed.
std::wstring dlouha_cesta(const std::wstring& cesta);

// The final path of an existing file or folder, opened without data access and with full
// sharing. `odkaz_sam`: a link is opened as itself where the platform can do that; without
// it links are followed. Empty when it cannot be opened.
std::wstring konecna_cesta(const std::wstring& dlouha, bool odkaz_sam = false);
// The final path of an open handle; empty on failure.
std::wstring konecna_cesta_handle(HANDLE h);

// Attributes of a long path; INVALID_FILE_ATTRIBUTES when it does not exist.
DWORD atributy(const std::wstring& dlouha);
// Whether a long path names nothing any more.
bool neexistuje(const std::wstring& dlouha);
// Whether a path (as typed) names an existing folder.
bool je_slozka(const std::wstring& cesta);

// Where a file or folder lies, in two forms: what a handle is checked against.
struct misto {
  // Its final path (GetFinalPathNameByHandleW); empty where the platform gives none (Wine
  // gives none beyond MAX_PATH) or it would be too long.
  std::wstring konecna;
  // Its volume and its path on that volume: the check where a final path is missing.
  bool ma_svazek = false;
  DWORD svazek = 0;
  std::wstring na_svazku;
};

// Where an open handle lies (both forms).
misto misto_handle(HANDLE h);
// Where the entry `nazev` of the folder at `rodic` lies if it is what it seems: the
// folder's place, a backslash and the name.
misto misto_polozky(const misto& rodic, const std::wstring& nazev);
// Whether an open handle lies at `m`: the final paths must be equal exactly (case kept), or,
// where a final path is missing, the volume and the path on it. A link, opened as what it
// points to, lies elsewhere, also when its target differs from it only in letter case.
bool lezi_na(HANDLE h, const misto& m);

// The failure of a delete refused because the object is not where it seems (a link that
// would be deleted through, or a path that leads elsewhere).
inline const HRESULT E_JINDE = HRESULT_FROM_WIN32(ERROR_CANT_ACCESS_FILE);

// Deletes one file, an emptied folder, or a link as itself (long path `dlouha`), through a
// handle that must lie at `ocekavane`. `zrusit_jen_pro_cteni`: clear a read-only attribute
// first (otherwise a read-only file stays and the call fails). `overit`: S_OK only once the
// path names nothing any more (a delete under Wine can report success for a file that
// stays). A failure returns the failing call's own code, E_JINDE for an object elsewhere.
HRESULT smazat_overene(const std::wstring& dlouha, const misto& ocekavane, bool zrusit_jen_pro_cteni, bool overit);

// Deletes a folder (long path `dlouha`, listing attributes `atributy`) that must lie at
// `ocekavane`, with all its content, by its own walk: links inside are removed as links
// where possible and never followed; read-only files and folders inside are deleted too.
// S_OK only when the folder is really gone; otherwise the first failure's own code (part
// of the folder may be gone).
HRESULT smazat_strom(const std::wstring& dlouha, const misto& ocekavane, DWORD atributy);

// Deletes a folder (path as typed) with all its content. The folder itself may be a link:
// then only the link is removed, or, where that is not possible, nothing. S_OK when the
// folder is gone, otherwise the code of what stopped it.
HRESULT smazat_slozku(const std::wstring& cesta);

// Receives the lines of a clean.
class prijemce_radku {
public:
  virtual void radek(const std::wstring& text) = 0;

protected:
  ~prijemce_radku() = default;
};

// One clean: walks a folder tree depth first and deletes what the lists name. Failed
// deletions are counted in `pocet_chyb` and written with their failure line.
class cisteni {
public:
  // `vypis` is the settings' log flags, read afresh at every deletion.
  cisteni(const seznamy_mazani& seznamy, const DWORD& vypis, prijemce_radku& vystup, LONG& pocet_chyb);

  // Cleans below a folder given as the log shows it (the folder itself is never compared
  // with the lists). A folder that cannot be walked, the top one included, is a failure:
  // counted and written with its line.
  void vycisti(const std::wstring& slozka);

private:
  struct uroven;
  void selhani(const std::wstring& text, const std::wstring& cesta);
  void zpracuj_soubor(const WIN32_FIND_DATAW& polozka, const uroven& u);
  // True when the entry is a folder to be entered; `nova` is then filled in.
  bool zpracuj_slozku(const WIN32_FIND_DATAW& polozka, const uroven& u, uroven& nova);

  const seznamy_mazani& seznamy_;
  const DWORD& vypis_;
  prijemce_radku& vystup_;
  LONG& pocet_chyb_;
  std::wstring text_slozka_;
  std::wstring text_soubor_;
  std::wstring text_projit_;
};

// What the check before a backup found.
struct nalez_kopie {
  enum druh {
    nic,        // the copy can go ahead
    zacykleni,  // a link leads back into a folder being copied, or into the new folder
    opakovani,  // a folder would be copied a second time through links
    nejasny,    // a link whose target cannot be told
  } co = nic;
  std::wstring odkaz; // the link's path, as the log shows it
};

// The check before a backup: walks the source as the shell's copy walks it, following
// links, and stops at the first link that would make the copy recurse, copy a folder twice
// (any folder reached a second time, so the walk stays linear), or that cannot be told
// where it leads (it fails closed). `konecny_cil` is the new folder's final path.
nalez_kopie zkontroluj_pred_kopii(const std::wstring& zobrazeny_zdroj, const std::wstring& dlouhy_zdroj,
                                  const std::wstring& konecny_cil);

// The check after a backup: the number of files of the source, as the copy sees it
// (through the links it follows), that are missing from the copy under their exact name or
// differ from the source in size or last-write time; a folder that cannot be read counts.
unsigned long long chybejici_v_kopii(const std::wstring& dlouhy_zdroj, const std::wstring& dlouhy_cil);
