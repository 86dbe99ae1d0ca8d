#pragma once
// A test application: records the boxes it is asked to show instead of showing them.
#include <mutex>
#include <string>
#include <vector>
#include "frame/aplikace.h"

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
