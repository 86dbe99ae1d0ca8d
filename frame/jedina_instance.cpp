#include "frame/jedina_instance.h"

#include <shlwapi.h>
#include <vector>
#include "frame/aplikace.h"
#include "frame/chyby.h"

namespace {

// In the session's local namespace: another user's Tesvarin, in another session, is no rival.
constexpr const wchar_t* NAZEV_MUTEXU = L"Local\\Kestrum.Tesvarin.1";

// The file name of a process's executable; empty when it cannot be read.
std::wstring jmeno_programu(DWORD pid)
{
  const kestrum::handle_jadra p(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  if (!p.platny()) return {};
  std::vector<wchar_t> cesta(32768, L'\0');
  DWORD n = static_cast<DWORD>(cesta.size());
  if (!QueryFullProcessImageNameW(p.get(), 0, cesta.data(), &n)) return {};
  return PathFindFileNameW(cesta.data());
}

// The running Tesvarin's window: of its class, in a process started from a file of our
// name (another program could register a class of that name too).
HWND okno_bezici_instance()
{
  const std::wstring moje = jmeno_programu(GetCurrentProcessId());
  for (HWND w = FindWindowExW(nullptr, nullptr, TRIDA_OKNA, nullptr); w;
       w = FindWindowExW(nullptr, w, TRIDA_OKNA, nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != GetCurrentProcessId() && !moje.empty() && lstrcmpiW(jmeno_programu(pid).c_str(), moje.c_str()) == 0)
      return w;
  }
  return nullptr;
}

} // namespace

jedina_instance::jedina_instance()
{
  const HANDLE m = CreateMutexW(nullptr, FALSE, NAZEV_MUTEXU);
  if (!m) fatalni_posledni_chyba();
  prvni_ = GetLastError() != ERROR_ALREADY_EXISTS;
  mutex_.nastav(m);
}

void ukaz_bezici_instanci()
{
  for (int pokus = 0; pokus < 50; ++pokus, Sleep(100)) {
    HWND w = okno_bezici_instance();
    if (!w) continue;
    if (IsIconic(w)) ShowWindow(w, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(w));
    return;
  }
}
