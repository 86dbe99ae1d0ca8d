#include "tests/podpora/podpora.h"

#include <commctrl.h>
#include <shlobj.h>
#include <algorithm>
#include <cstring>
#include <cwchar>
#include "frame/aplikace.h"
#include "frame/hlavni_okno.h"
#include "frame/registr.h"
#include "ui/nastaveni.h"
#include "ui/seznamy_mazani.h"

#include <cstdlib>
#include <map>
#include <stdexcept>

namespace test {

namespace {
std::map<std::wstring, scenar>& scenare()
{
  static std::map<std::wstring, scenar> m;
  return m;
}
} // namespace

bool registruj_dite(const wchar_t* nazev, scenar f)
{
  scenare()[nazev] = f;
  return true;
}

int spust_dite_scenar(const wchar_t* nazev)
{
  auto it = scenare().find(nazev);
  if (it == scenare().end()) return 250;
  it->second();
  return 0;
}

std::wstring tento_program()
{
  std::wstring s(32768, L'\0');
  DWORD n = GetModuleFileNameW(nullptr, s.data(), static_cast<DWORD>(s.size()));
  s.resize(n);
  return s;
}

std::wstring slozka_programu()
{
  std::wstring s = tento_program();
  return s.substr(0, s.find_last_of(L'\\'));
}

std::string utf8(const std::wstring& s)
{
  if (s.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  std::string r(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), r.data(), n, nullptr, nullptr);
  return r;
}

std::wstring text_okna(HWND w)
{
  LRESULT n = SendMessageW(w, WM_GETTEXTLENGTH, 0, 0);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  n = SendMessageW(w, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<size_t>(n));
  return s;
}

std::wstring text_tipu(HWND tip, HWND vlastnik, UINT_PTR id)
{
  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = vlastnik;
  ti.uId = id;
  if (!SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti))) return L"<none>";
  wchar_t b[1024] = {};
  ti.lpszText = b;
  SendMessageW(tip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&ti));
  return b;
}

obsluha_oken::obsluha_oken(std::wstring vybrat, wchar_t klavesa)
    : vybrat_(std::move(vybrat)), klavesa_(klavesa), vlakno_([this] { sleduj(); })
{
}

void obsluha_oken::konec()
{
  stop_ = true;
  if (vlakno_.joinable()) vlakno_.join();
}

void obsluha_oken::sleduj()
{
  // Sent with a time limit: the windows belong to the driven thread, which answers only
  // while it runs their modal loop.
  auto posli = [](HWND w, UINT m, WPARAM wp, LPARAM lp) {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(w, m, wp, lp, SMTO_BLOCK, 30000, &r);
    return r;
  };
  auto text = [&](HWND w) {
    wchar_t b[1024] = {};
    posli(w, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(b));
    return std::wstring(b);
  };
  std::vector<HWND> videne;
  auto nove = [&](HWND w) {
    if (std::count(videne.begin(), videne.end(), w)) return false;
    videne.push_back(w);
    return true;
  };
  for (; !stop_; Sleep(20)) {
    for (HWND w : dialogy_procesu(GetCurrentProcessId(), nullptr, 14146)) {
      if (text(GetDlgItem(w, 14146)) != L"Vyberte požadovanou složku" || !nove(w)) continue;
      // The dialog is found before it shows; it has its first selection once it is visible.
      pumpuj_dokud([&] { return IsWindowVisible(w) != FALSE; });
      vybery.push_back({text(GetDlgItem(w, 14147)), GetWindow(w, GW_OWNER)});
      // Chosen as a user would: OK once the status line shows the new selection (an item
      // without a path never shows it). A folder already in the tree is clicked there: the
      // dialog's own search by path misses an item listed before the folder was first read
      // (its access time, part of the item's ID, has moved since).
      auto ukazuje = [&] { return stejna_cesta(text(GetDlgItem(w, 14147)), vybrat_); };
      if (!vybrat_.empty() && !klikni_v_strome(GetDlgItem(w, 14145), ukazuje))
        for (int i = 0; i < 4 && !ukazuje(); ++i) posli(w, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(vybrat_.c_str()));
      PostMessageW(w, WM_COMMAND, vybrat_.empty() ? IDCANCEL : IDOK, 0);
    }
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w; w = FindWindowExW(nullptr, w, L"#32768", nullptr)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (pid != GetCurrentProcessId() || !IsWindowVisible(w) || !nove(w)) continue;
      HMENU m = reinterpret_cast<HMENU>(posli(w, MN_GETHMENU, 0, 0));
      nabidky.emplace_back();
      for (int i = 0; i < GetMenuItemCount(m); ++i) {
        wchar_t b[128] = {};
        GetMenuStringW(m, static_cast<UINT>(i), b, 128, MF_BYPOSITION);
        nabidky.back().push_back(b);
      }
      PostMessageW(w, klavesa_ ? WM_CHAR : WM_KEYDOWN, klavesa_ ? klavesa_ : VK_ESCAPE, 0);
    }
  }
}

bool obsluha_oken::klikni_v_strome(HWND strom, const std::function<bool()>& ukazuje)
{
  const size_t lomitko = vybrat_.find_last_of(L'\\');
  const std::wstring jmeno = lomitko == std::wstring::npos ? vybrat_ : vybrat_.substr(lomitko + 1);
  // Depth first through the items the tree has (this thread shares the dialog's process).
  std::vector<HTREEITEM> cesta{reinterpret_cast<HTREEITEM>(SendMessageW(strom, TVM_GETNEXTITEM, TVGN_ROOT, 0))};
  while (!cesta.empty()) {
    HTREEITEM p = cesta.back();
    cesta.pop_back();
    if (!p) continue;
    wchar_t b[MAX_PATH] = {};
    TVITEMW ti{};
    ti.mask = TVIF_TEXT;
    ti.hItem = p;
    ti.pszText = b;
    ti.cchTextMax = MAX_PATH;
    SendMessageW(strom, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&ti));
    if (stejna_cesta(b, jmeno)) {
      SendMessageW(strom, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(p));
      if (ukazuje()) return true;
    }
    cesta.push_back(reinterpret_cast<HTREEITEM>(SendMessageW(strom, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(p))));
    cesta.push_back(reinterpret_cast<HTREEITEM>(SendMessageW(strom, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(p))));
  }
  return false;
}

bool stejna_cesta(const std::wstring& a, const std::wstring& b)
{
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

RECT obdelnik_okna(HWND w)
{
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}

RECT pracovni_plocha(HWND w)
{
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &mi);
  return mi.rcWork;
}

namespace {

struct hledani_dialogu {
  DWORD pid;
  const wchar_t* titulek; // null: any
  int id_prvku;
  std::vector<HWND> nalezene;
};

BOOL CALLBACK najdi_dialog(HWND w, LPARAM lp)
{
  auto* h = reinterpret_cast<hledani_dialogu*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  wchar_t trida[64] = {};
  GetClassNameW(w, trida, 64);
  if (pid == h->pid && IsWindowVisible(w) && wcscmp(trida, L"#32770") == 0 && (!h->titulek || text_okna(w) == h->titulek) &&
      (h->id_prvku == 0 || GetDlgItem(w, h->id_prvku)))
    h->nalezene.push_back(w);
  return TRUE;
}

} // namespace

std::vector<HWND> dialogy_procesu(DWORD pid, const wchar_t* titulek, int id_prvku)
{
  hledani_dialogu h{pid, titulek, id_prvku, {}};
  EnumWindows(najdi_dialog, reinterpret_cast<LPARAM>(&h));
  return h.nalezene;
}

namespace {

// The visible message box of a process, with its caption and text.
bool precti_box(DWORD pid, HWND& okno, box& b)
{
  auto boxy = dialogy_procesu(pid, nullptr, 0xFFFF);
  if (boxy.empty()) return false;
  okno = boxy.front();
  b.titulek = text_okna(okno);
  b.text = text_okna(GetDlgItem(okno, 0xFFFF));
  return true;
}

} // namespace

bool odklikni_box(DWORD pid, box& b, DWORD limit_ms)
{
  const DWORD start = GetTickCount();
  do {
    HWND okno = nullptr;
    if (precti_box(pid, okno, b)) {
      PostMessageW(okno, WM_COMMAND, IDOK, 0);
      return true;
    }
    Sleep(20);
  } while (GetTickCount() - start < limit_ms);
  return false;
}

HWND cekej_na_dialog(DWORD pid, const wchar_t* titulek, int id_prvku, DWORD limit_ms)
{
  const DWORD start = GetTickCount();
  do {
    auto d = dialogy_procesu(pid, titulek, id_prvku);
    if (!d.empty()) return d.front();
    Sleep(20);
  } while (GetTickCount() - start < limit_ms);
  return nullptr;
}

void napis(HWND prvek, const std::wstring& text)
{
  for (wchar_t z : text) SendMessageW(prvek, WM_CHAR, z, 1);
}

std::vector<std::wstring> polozky_seznamu(HWND lb)
{
  std::vector<std::wstring> v;
  const LRESULT n = SendMessageW(lb, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    std::wstring s(static_cast<size_t>(SendMessageW(lb, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    s.resize(static_cast<size_t>(SendMessageW(lb, LB_GETTEXT, i, reinterpret_cast<LPARAM>(s.data()))));
    v.push_back(s);
  }
  return v;
}

vysledek_procesu spust_a_odklikej(const std::wstring& prikaz, DWORD limit_ms)
{
  vysledek_procesu v;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring radek = prikaz;
  if (!CreateProcessW(nullptr, radek.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    throw std::runtime_error("CreateProcessW failed");
  CloseHandle(pi.hThread);
  DWORD start = GetTickCount();
  HWND posledni = nullptr;
  for (;;) {
    if (WaitForSingleObject(pi.hProcess, 50) == WAIT_OBJECT_0) break;
    if (GetTickCount() - start > limit_ms) {
      TerminateProcess(pi.hProcess, 999);
      WaitForSingleObject(pi.hProcess, 5000);
      v.vyprsel = true;
      break;
    }
    HWND nalezeny = nullptr;
    box b;
    if (precti_box(pi.dwProcessId, nalezeny, b) && nalezeny != posledni) {
      v.boxy.push_back(b);
      posledni = nalezeny;
      PostMessageW(nalezeny, WM_COMMAND, IDOK, 0);
    }
  }
  GetExitCodeProcess(pi.hProcess, &v.kod);
  CloseHandle(pi.hProcess);
  return v;
}

vysledek_procesu spust_dite(const wchar_t* nazev, DWORD limit_ms)
{
  return spust_a_odklikej(L"\"" + tento_program() + L"\" --dite " + nazev, limit_ms);
}

// --- Registry

namespace {
LONG g_citac = 0;
}

soukromy_registr::soukromy_registr()
{
  cesta_ = L"Software\\TesvarinTesty\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(InterlockedIncrement(&g_citac));
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegDeleteTreeW(HKEY_CURRENT_USER, cesta_.c_str());
  if (RegCreateKeyExW(HKEY_CURRENT_USER, cesta_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &koren_,
                      nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot create the test key");
  if (RegOverridePredefKey(HKEY_CURRENT_USER, koren_) != ERROR_SUCCESS)
    throw std::runtime_error("RegOverridePredefKey failed");
}

soukromy_registr::~soukromy_registr()
{
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(koren_);
  RegDeleteTreeW(HKEY_CURRENT_USER, cesta_.c_str());
}

bool cti_hodnotu(const wchar_t* klic, const wchar_t* nazev, DWORD& typ, std::vector<BYTE>& data)
{
  HKEY k = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, klic, 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  DWORD velikost = 0;
  LONG s = RegQueryValueExW(k, nazev, nullptr, &typ, nullptr, &velikost);
  if (s == ERROR_SUCCESS) {
    data.assign(velikost, 0);
    s = RegQueryValueExW(k, nazev, nullptr, &typ, data.data(), &velikost);
    data.resize(velikost);
  }
  RegCloseKey(k);
  return s == ERROR_SUCCESS;
}

void zapis_hodnotu(const wchar_t* klic, const wchar_t* nazev, DWORD typ, const void* data, DWORD bajtu)
{
  HKEY k = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, klic, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) !=
      ERROR_SUCCESS)
    throw std::runtime_error("cannot create key");
  LONG s = RegSetValueExW(k, nazev, 0, typ, static_cast<const BYTE*>(data), bajtu);
  RegCloseKey(k);
  if (s != ERROR_SUCCESS) throw std::runtime_error("cannot write value");
}

std::vector<uint8_t> zakoduj_retezce(const std::vector<std::wstring>& seznam)
{
  std::vector<uint8_t> data;
  if (seznam.empty()) return data;
  for (const auto& s : seznam) {
    const auto* p = reinterpret_cast<const uint8_t*>(s.c_str());
    data.insert(data.end(), p, p + 2 * (s.size() + 1));
  }
  data.push_back(0);
  data.push_back(0);
  return data;
}

std::wstring text_hodnoty(const wchar_t* nazev)
{
  DWORD typ = 0;
  std::vector<BYTE> d;
  if (!cti_hodnotu(KLIC_APLIKACE, nazev, typ, d) || typ != REG_SZ || d.size() < 2) return L"<none>";
  return std::wstring(reinterpret_cast<const wchar_t*>(d.data()), d.size() / 2 - 1);
}

DWORD cislo_hodnoty(const wchar_t* nazev)
{
  DWORD typ = 0;
  std::vector<BYTE> d;
  if (!cti_hodnotu(KLIC_APLIKACE, nazev, typ, d) || typ != REG_DWORD || d.size() != 4) return 0xDEAD;
  DWORD v;
  std::memcpy(&v, d.data(), 4);
  return v;
}

bool umisteni_hodnoty(void* cil20)
{
  DWORD typ = 0;
  std::vector<BYTE> d;
  if (!cti_hodnotu(KLIC_APLIKACE, L"umisteni_okna", typ, d) || typ != REG_BINARY || d.size() != 20) return false;
  std::memcpy(cil20, d.data(), 20);
  return true;
}

void vytvor_okno_aplikace(const std::wstring& zdroj, const std::wstring& cil)
{
  app().registruj_tridu();
  auto* n = new nastaveni;
  n->vychozi_cisla();
  n->param = 0;
  n->slozka = zdroj;
  n->slozka_cil = cil;
  g_nastaveni.nastav(n);
  auto* s = new seznamy_mazani(seznamy_mazani::bez_nacteni{});
  s->vychozi_soubory();
  s->vychozi_slozky();
  g_seznamy.nastav(s);
  g_hlavni_okno.nastav(new hlavni_okno);
  g_hlavni_okno->vytvor();
}

void zrus_okno_aplikace()
{
  g_hlavni_okno.zrus();
  g_seznamy.zrus();
  g_nastaveni.zrus();
  UnregisterClassW(TRIDA_OKNA, instance);
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
}

void smaz_klic(const wchar_t* klic)
{
  RegDeleteTreeW(HKEY_CURRENT_USER, klic);
  RegDeleteKeyW(HKEY_CURRENT_USER, klic);
}

// --- Folders

std::wstring nova_slozka(const std::wstring& napoveda)
{
  static LONG citac = 0;
  wchar_t cwd[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, cwd);
  // Always a folder of its own: a run of another wine server may have left one of the same
  // name (process ids repeat), and a test must not find another test's files in its folder.
  for (;;) {
    std::wstring s = std::wstring(cwd) + L"\\t" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                     std::to_wstring(InterlockedIncrement(&citac)) + L"_" + napoveda;
    if (CreateDirectoryW(s.c_str(), nullptr)) return s;
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create folder " + utf8(s));
  }
}

void vytvor_soubor(const std::wstring& cesta, const std::string& obsah)
{
  HANDLE h = CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create file " + utf8(cesta));
  DWORD zapsano = 0;
  WriteFile(h, obsah.data(), static_cast<DWORD>(obsah.size()), &zapsano, nullptr);
  CloseHandle(h);
}

void vytvor_slozku(const std::wstring& cesta)
{
  if (!CreateDirectoryW(cesta.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    throw std::runtime_error("cannot create folder " + utf8(cesta));
}

bool existuje(const std::wstring& cesta)
{
  return GetFileAttributesW(cesta.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string unix_cesta(const std::wstring& cesta)
{
  using prevod_t = char*(CDECL*)(LPCWSTR);
  auto prevod = reinterpret_cast<prevod_t>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!prevod) throw std::runtime_error("not running under Wine");
  char* p = prevod(cesta.c_str());
  if (!p) throw std::runtime_error("no unix path for " + utf8(cesta));
  std::string r = p;
  HeapFree(GetProcessHeap(), 0, p);
  return r;
}

int linux_prikaz(const std::string& prikaz)
{
  // In the test prefix drive Z: maps onto the build folder only, so /bin/sh has no Windows
  // path: the build copies the shell to <build>\linux\sh (the test executables lie in
  // <build>\tests), and Wine starts a Linux program by its Windows path. Wine neither keeps
  // the process handle of a Linux program until it ends nor reports its exit code, so the
  // command writes its status into a marker file, which is awaited.
  wchar_t plna[MAX_PATH] = {};
  const std::wstring shell = slozka_programu() + L"\\..\\linux\\sh";
  if (!GetFullPathNameW(shell.c_str(), MAX_PATH, plna, nullptr) || !existuje(plna))
    throw std::runtime_error("no Linux shell in <build>/linux/sh");
  static LONG citac = 0;
  wchar_t cwd[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, cwd);
  const std::wstring znacka = std::wstring(cwd) + L"\\.sh_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                              std::to_wstring(InterlockedIncrement(&citac));
  const std::string u = unix_cesta(znacka);
  const std::string cely = "( " + prikaz + " ); echo $? > '" + u + ".tmp'; mv '" + u + ".tmp' '" + u + "'";

  std::wstring radek = L"\"" + std::wstring(plna) + L"\" -c \"";
  int n = MultiByteToWideChar(CP_UTF8, 0, cely.data(), static_cast<int>(cely.size()), nullptr, 0);
  std::wstring w(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, cely.data(), static_cast<int>(cely.size()), w.data(), n);
  radek += w + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, radek.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    throw std::runtime_error("cannot run the Linux shell");
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  for (int i = 0; i < 6000; ++i) {
    HANDLE h = CreateFileW(znacka.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      char b[32] = {};
      DWORD precteno = 0;
      ReadFile(h, b, sizeof b - 1, &precteno, nullptr);
      CloseHandle(h);
      DeleteFileW(znacka.c_str());
      return std::atoi(b);
    }
    Sleep(5);
  }
  throw std::runtime_error("the Linux shell did not finish");
}

void linux_odkaz(const std::wstring& odkaz, const std::wstring& cil)
{
  if (linux_prikaz("ln -s '" + unix_cesta(cil) + "' '" + unix_cesta(odkaz) + "'") != 0)
    throw std::runtime_error("ln -s failed for " + utf8(odkaz));
}

} // namespace test
