#pragma once
// Driving the real tesvarin.exe from outside, as a user would: start it, wait for its
// window, reach its controls, close it; and the values it leaves in the registry.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>
#include <vector>
#include "frame/registr.h"
#include "res/resource.h"
#include "tests/podpora/podpora.h"

namespace e2e {

inline std::wstring program()
{
  std::wstring relativni = test::slozka_programu() + L"\\..\\tesvarin.exe";
  wchar_t plna[MAX_PATH] = {};
  GetFullPathNameW(relativni.c_str(), MAX_PATH, plna, nullptr);
  return plna;
}

struct hledani {
  DWORD pid;
  HWND okno;
};

inline BOOL CALLBACK najdi_okno(HWND w, LPARAM lp)
{
  auto* h = reinterpret_cast<hledani*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  wchar_t trida[32] = {};
  GetClassNameW(w, trida, 32);
  if (pid != h->pid || std::wcscmp(trida, L"tesvarin") != 0) return TRUE;
  h->okno = w;
  return FALSE;
}

// One run of tesvarin.exe. A run that is left running is ended when the object goes.
class beh {
public:
  PROCESS_INFORMATION pi{};
  HWND okno = nullptr;
  bool seznamy_pred_oknem = false; // both lists were in the registry when the window appeared

  // The built program by default; `slozka` is its current directory (else the test's).
  explicit beh(const std::wstring& exe = program(), const wchar_t* slozka = nullptr)
  {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring radek = L"\"" + exe + L"\"";
    spusteno_ = CreateProcessW(nullptr, radek.data(), nullptr, nullptr, FALSE, 0, nullptr, slozka, &si, &pi);
  }
  ~beh()
  {
    if (!spusteno_) return;
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(pi.hProcess, 999);
      WaitForSingleObject(pi.hProcess, 5000);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  beh(const beh&) = delete;
  beh& operator=(const beh&) = delete;

  // Waits for the host window to exist and then to be visible.
  bool cekej_na_okno(DWORD limit_ms = 20000)
  {
    if (!spusteno_) return false;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < limit_ms) {
      if (!okno) {
        hledani h{pi.dwProcessId, nullptr};
        EnumWindows(najdi_okno, reinterpret_cast<LPARAM>(&h));
        if (h.okno) {
          okno = h.okno;
          seznamy_pred_oknem = existuje(L"mazane_soubory") && existuje(L"mazane_slozky");
        }
      }
      if (okno && IsWindowVisible(okno)) return true;
      if (WaitForSingleObject(pi.hProcess, 20) == WAIT_OBJECT_0) return false;
    }
    return false;
  }

  HWND dialog() const { return FindWindowExW(okno, nullptr, L"#32770", nullptr); }
  HWND prvek(int id) const { return GetDlgItem(dialog(), id); }

  // Clicks an operation button (none for 0) and waits for the operation to end: the click
  // disables the buttons before it returns, and the end enables them again. The log's lines.
  std::vector<std::wstring> operace(int tlacitko)
  {
    if (tlacitko != 0) SendMessageW(prvek(tlacitko), BM_CLICK, 0, 0);
    EXPECT_TRUE(test::pumpuj_dokud([&] { return IsWindowEnabled(prvek(IDC_VYCISTIT)) != FALSE; }, 120000))
        << "the operation did not end";
    return test::polozky_seznamu(prvek(IDC_VYPIS));
  }

  // WM_CLOSE, then the exit code (999 when it did not end).
  DWORD zavri(DWORD limit_ms = 20000)
  {
    PostMessageW(okno, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, limit_ms) != WAIT_OBJECT_0) return 999;
    DWORD kod = 999;
    GetExitCodeProcess(pi.hProcess, &kod);
    return kod;
  }

  static bool existuje(const wchar_t* hodnota)
  {
    DWORD typ = 0;
    std::vector<BYTE> d;
    return test::cti_hodnotu(KLIC_APLIKACE, hodnota, typ, d) && typ == REG_MULTI_SZ && !d.empty();
  }

private:
  BOOL spusteno_ = FALSE;
};



// Tests of the real program start and end without its registry key.
class bez_klice : public ::testing::Test {
protected:
  void SetUp() override { test::smaz_klic(KLIC_APLIKACE); }
  void TearDown() override { test::smaz_klic(KLIC_APLIKACE); }
};

} // namespace e2e
