#pragma once
// A test application: records the boxes it is asked to show instead of showing them.
#include <mutex>
#include <string>
#include <vector>
#include "frame/aplikace.h"
#include "ui/panel_uloh.h"

namespace test {

struct zaznam_zpravy {
  std::wstring text;
  UINT priznaky;
};

class aplikace_test final : public aplikace {
public:
  int zprava(const wchar_t* text, UINT priznaky) override
  {
    std::lock_guard<std::mutex> z(zamek);
    zpravy.push_back({text ? text : L"(null)", priznaky});
    return IDOK;
  }
  std::vector<zaznam_zpravy> precti()
  {
    std::lock_guard<std::mutex> z(zamek);
    return zpravy;
  }
  std::mutex zamek;
  std::vector<zaznam_zpravy> zpravy;
};

// Records what the taskbar button is asked to do; the foreground is what the test says.
class zaznam_tlacitka final : public tlacitko_uloh {
public:
  std::vector<std::wstring> volani;
  bool popredi = true;
  bool jen_z_vlakna_okna = true; // every call came from the thread that made the recorder
  void pripoj(HWND) override { zapis(L"pripoj"); }
  void stav(TBPFLAG s) override { zapis(L"stav " + std::to_wstring(s)); }
  void blikej() override { zapis(L"blikej"); }
  bool v_popredi() override { return popredi; }
  void zapis(const std::wstring& v)
  {
    jen_z_vlakna_okna = jen_z_vlakna_okna && GetCurrentThreadId() == vlakno_okna;
    volani.push_back(v);
  }
  DWORD vlakno_okna = GetCurrentThreadId();
};

// Installs a test application as the process's application object for its lifetime.
class s_aplikaci {
public:
  s_aplikaci() : a(new aplikace_test) { g_aplikace.nastav(a); }
  ~s_aplikaci() { g_aplikace.zrus(); }
  s_aplikaci(const s_aplikaci&) = delete;
  s_aplikaci& operator=(const s_aplikaci&) = delete;
  aplikace_test* a;
};

} // namespace test
