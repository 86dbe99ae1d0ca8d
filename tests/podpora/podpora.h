#pragma once
// What the tests share: child-process scenarios, finding and answering message boxes of
// another process (procesy.cpp), windows of this process (okna.cpp), a private registry
// (registr.cpp), temporary folders and Linux commands (slozky.cpp).
#include <windows.h>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace test {

// --- Child scenarios: code that must end the process runs in a child started as
//     `<this exe> --dite <name>`.
using scenar = void (*)();
bool registruj_dite(const wchar_t* nazev, scenar f);
#define TEST_DITE(nazev)                                                                   \
  static void dite_##nazev();                                                              \
  static const bool registrace_##nazev = ::test::registruj_dite(L## #nazev, dite_##nazev); \
  static void dite_##nazev()
int spust_dite_scenar(const wchar_t* nazev); // used by main

// Runs this thread's message loop until `hotovo` holds; false when it did not within the
// limit, which is generous: it only keeps a broken program from hanging the suite.
template <class F> bool pumpuj_dokud(F hotovo, DWORD limit_ms = 60000)
{
  const DWORD start = GetTickCount();
  while (!hotovo()) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    if (hotovo()) break;
    if (GetTickCount() - start > limit_ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

// A message box seen in another process.
struct box {
  std::wstring titulek;
  std::wstring text;
};

struct vysledek_procesu {
  DWORD kod = 0;
  std::vector<box> boxy; // boxes read and dismissed, in order
  bool vyprsel = false;  // killed after the time limit
};

// Starts a program (command line as given) and waits for it, reading and pressing OK on
// every message box (#32770 with static 0xFFFF) that it shows.
vysledek_procesu spust_a_odklikej(const std::wstring& prikaz, DWORD limit_ms = 30000);
// Waits for a message box of process `pid`, reads it and presses OK; false when none came.
bool odklikni_box(DWORD pid, box& b, DWORD limit_ms = 60000);

// Starts this test executable with --dite <nazev> and waits as above.
vysledek_procesu spust_dite(const wchar_t* nazev, DWORD limit_ms = 30000);

// A window's text (WM_GETTEXT, so it works across processes), its rectangle, and the work
// area of its nearest monitor.
std::wstring text_okna(HWND okno);
RECT obdelnik_okna(HWND okno);
RECT pracovni_plocha(HWND okno);
// The text of tool (`vlastnik`, `id`) of tooltip window `tip` (TTM_GETTEXTW); "<none>" when
// the tooltip has no such tool.
std::wstring text_tipu(HWND tip, HWND vlastnik, UINT_PTR id);

// Answers the modal windows that this process's user-interface thread opens while a test
// drives it, from a thread of its own: the folder dialog ("#32770" with the title static
// 14146) and pop-up menus ("#32768"). What it saw is read after `konec`.
class obsluha_oken {
public:
  struct vyber {
    std::wstring stav; // the status line when the dialog showed: the folder it opened at
    HWND vlastnik;
  };
  // `vybrat`: the folder to choose in every folder dialog ("" cancels it); `klavesa`: the
  // character typed into every menu (0 closes it with Escape).
  explicit obsluha_oken(std::wstring vybrat = L"", wchar_t klavesa = 0);
  ~obsluha_oken() { konec(); }
  obsluha_oken(const obsluha_oken&) = delete;
  obsluha_oken& operator=(const obsluha_oken&) = delete;
  // Stops watching (once the driven code has returned).
  void konec();
  std::vector<vyber> vybery;
  std::vector<std::vector<std::wstring>> nabidky; // each menu's item texts ("" for a separator)

private:
  void sleduj();
  // Selects the item of the tree `strom` named as the folder to choose, as a click would,
  // until `ukazuje` says the dialog shows that folder; false when no item does.
  bool klikni_v_strome(HWND strom, const std::function<bool()>& ukazuje);
  std::wstring vybrat_;
  wchar_t klavesa_;
  std::atomic<bool> stop_{false};
  std::thread vlakno_;
};
// "My Computer" as a path the folder dialog can select: an item without a file-system path.
inline const std::wstring MUJ_POCITAC = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
// Paths compared as Windows compares them (case-insensitively).
bool stejna_cesta(const std::wstring& a, const std::wstring& b);
// --- Dialogs of a process (this one or another), found and driven through messages.
// The visible dialogs (#32770) of process `pid` with caption `titulek` (null: any) that hold
// control `id_prvku` (0: any control); message boxes hold 0xFFFF.
std::vector<HWND> dialogy_procesu(DWORD pid, const wchar_t* titulek, int id_prvku = 0);
// Waits for the first such dialog; null when none came in time.
HWND cekej_na_dialog(DWORD pid, const wchar_t* titulek, int id_prvku = 0, DWORD limit_ms = 60000);
// Types `text` into a control, one WM_CHAR per character, as the keyboard would.
void napis(HWND prvek, const std::wstring& text);
// The texts of a list box's items, in order.
std::vector<std::wstring> polozky_seznamu(HWND lb);

// Registers the window class and creates the main window over settings with the default
// numbers, `param` 0 and the two folders, and the default lists (not read from the registry).
void vytvor_okno_aplikace(const std::wstring& zdroj, const std::wstring& cil);

// Destroys the main window, the lists and the settings of an in-process test, unregisters
// the window class and drops the messages left behind.
void zrus_okno_aplikace();

// Path of this executable and of its folder.
std::wstring tento_program();
std::wstring slozka_programu();

// --- Registry: for the lifetime of the object HKEY_CURRENT_USER of this process is a
//     fresh private key (RegOverridePredefKey); it is deleted afterwards.
class soukromy_registr {
public:
  soukromy_registr();
  ~soukromy_registr();
  soukromy_registr(const soukromy_registr&) = delete;
  soukromy_registr& operator=(const soukromy_registr&) = delete;
  HKEY koren() const { return koren_; }
  std::wstring cesta() const { return cesta_; } // under the real HKCU
private:
  HKEY koren_ = nullptr;
  std::wstring cesta_;
};

// Reads a value under HKCU\<klic> (the current mapping): type and bytes; false when missing.
bool cti_hodnotu(const wchar_t* klic, const wchar_t* nazev, DWORD& typ, std::vector<BYTE>& data);
void zapis_hodnotu(const wchar_t* klic, const wchar_t* nazev, DWORD typ, const void* data, DWORD bajtu);
void smaz_klic(const wchar_t* klic); // the whole tree under HKCU, if present
// Values of the application's key: a REG_SZ as text ("<none>" when missing or of another
// type), a REG_DWORD (0xDEAD likewise), the 20-byte window placement (false likewise).
std::wstring text_hodnoty(const wchar_t* nazev);
DWORD cislo_hodnoty(const wchar_t* nazev);
bool umisteni_hodnoty(void* cil20);
// Whether the stored window placement is the rectangle `r`, not topmost, its padding zero.
bool ulozene_umisteni_je(const RECT& r);
// The data of a REG_MULTI_SZ value holding `seznam`, as the registry stores it: each string
// and its NUL, then one more NUL; nothing at all for no strings.
std::vector<uint8_t> zakoduj_retezce(const std::vector<std::wstring>& seznam);

// --- Temporary folders inside the sandbox (the current directory). They are not deleted:
//     the test command wipes the whole sandbox before every run.
std::wstring nova_slozka(const std::wstring& napoveda);
// A known folder's path (FOLDERID_...); empty when it has none.
std::wstring znama_slozka(const GUID& id);
void vytvor_soubor(const std::wstring& cesta, const std::string& obsah = "x");
void vytvor_slozku(const std::wstring& cesta);
bool existuje(const std::wstring& cesta);
// Runs a Linux shell command (for links, which Windows code cannot make under Wine) and
// returns its exit status. The command must not hold double quotes: quote with ' '.
int linux_prikaz(const std::string& prikaz);
// Makes `odkaz` a Linux symbolic link to `cil` (both Windows paths; the target need not
// exist). Throws when it cannot.
void linux_odkaz(const std::wstring& odkaz, const std::wstring& cil);
// The Linux path of a Windows path (through Wine's mapping).
std::string unix_cesta(const std::wstring& cesta);

std::string utf8(const std::wstring& s);

} // namespace test
