// Child scenarios, other processes and their message boxes, and where this program lies.
#include "tests/podpora/podpora.h"

#include <cwchar>
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

} // namespace test
