#include "frame/jedina_instance.h"

#include <vector>
#include "frame/aplikace.h"
#include "frame/chyby.h"
#include "ui/dlg_program_info.h"

namespace {

// In the session's local namespace: another user's Tesvarin, in another session, is no rival.
constexpr const wchar_t* NAZEV_MUTEXU = L"Local\\Kestrum.Tesvarin.1";

// The path of a process's program file; empty when it cannot be read.
std::wstring program_procesu(DWORD pid)
{
  const kestrum::handle_jadra p(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  if (!p.platny()) return {};
  std::vector<wchar_t> cesta(32768, L'\0');
  DWORD n = static_cast<DWORD>(cesta.size());
  if (!QueryFullProcessImageNameW(p.get(), 0, cesta.data(), &n)) return {};
  return std::wstring(cesta.data(), n);
}

// The product named by a program file's version resource (this program's when empty).
std::wstring produkt(const std::wstring& program)
{
  std::wstring nazev;
  return SUCCEEDED(cti_retezec_verze(program, L"ProductName", nazev)) ? nazev : std::wstring();
}

// The running Tesvarin's window: of its class, in a process whose program file says it is
// Tesvarin, whatever the file is called (another program could register a class of that
// name too).
HWND okno_bezici_instance()
{
  const std::wstring nas = produkt({});
  for (HWND w = FindWindowExW(nullptr, nullptr, TRIDA_OKNA, nullptr); w;
       w = FindWindowExW(nullptr, w, TRIDA_OKNA, nullptr)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    const std::wstring program = pid == GetCurrentProcessId() ? std::wstring() : program_procesu(pid);
    if (!nas.empty() && !program.empty() && produkt(program) == nas) return w;
  }
  return nullptr;
}

} // namespace

jedina_instance::jedina_instance()
{
  const HANDLE m = CreateMutexW(nullptr, FALSE, NAZEV_MUTEXU);
  // A mutex this user may not open was made by a Tesvarin with higher rights (started as
  // administrator): another Tesvarin runs.
  if (!m && GetLastError() == ERROR_ACCESS_DENIED) return;
  if (!m) fatalni_posledni_chyba();
  prvni_ = GetLastError() != ERROR_ALREADY_EXISTS;
  mutex_.nastav(m);
}

bool ukaz_bezici_instanci()
{
  for (int pokus = 0; pokus < 50; ++pokus, Sleep(100)) {
    HWND w = okno_bezici_instance();
    if (!w) continue;
    // Only calls that never wait for the other program: a hung Tesvarin must not hang this one.
    if (IsIconic(w)) ShowWindowAsync(w, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(w));
    return true;
  }
  return false;
}
