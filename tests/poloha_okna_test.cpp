// Where the host window goes: the clamping rules on their own, and a real window brought back
// onto its monitor's work area.
#include <gtest/gtest.h>
#include <windows.h>
#include <climits>
#include "frame/aplikace.h"
#include "frame/hlavni_okno.h"
#include "tests/podpora/podpora.h"

namespace {

RECT obdelnik(LONG l, LONG t, LONG r, LONG b) { return RECT{l, t, r, b}; }

} // namespace

TEST(OmezObdelnik, PravidlaVPoradi)
{
  const RECT wa = obdelnik(0, 0, 1280, 1000);
  struct pripad {
    const char* co;
    RECT r;
    bool posun;
    LONG x, y;
  } pripady[] = {
      {"inside", obdelnik(100, 100, 500, 400), false, 100, 100},
      {"5 px left of the work area", obdelnik(-5, 100, 395, 400), true, 0, 100},
      {"30 px past the right edge", obdelnik(910, 100, 1310, 400), true, 880, 100},
      {"1 px past the right edge", obdelnik(881, 100, 1281, 400), true, 880, 100},
      {"1 px past the bottom", obdelnik(100, 701, 500, 1001), true, 100, 700},
      {"above the top", obdelnik(100, -20, 500, 280), true, 100, 0},
      {"30 px below the bottom", obdelnik(100, 730, 500, 1030), true, 100, 700},
      {"larger than the work area", obdelnik(-50, -50, 1400, 1100), true, 0, 0},
      {"larger, lying right of it", obdelnik(300, 200, 1700, 1300), true, 0, 0},
      {"on a monitor no longer there", obdelnik(5000, 4000, 5400, 4300), true, 880, 700},
      {"zero size beyond the right edge", obdelnik(1275, 995, 1275, 995), true, 1270, 990},
      {"flush with the bottom right", obdelnik(880, 700, 1280, 1000), false, 880, 700},
      {"extreme coordinates", obdelnik(INT_MIN, INT_MIN, INT_MAX, INT_MAX), true, 0, 0},
      {"extreme far corner", obdelnik(INT_MAX - 5, INT_MAX - 5, INT_MAX, INT_MAX), true, 1275, 995},
  };
  for (const auto& p : pripady) {
    POINT bod{-1, -1};
    EXPECT_EQ(omez_obdelnik(p.r, wa, bod), p.posun) << p.co;
    EXPECT_EQ(bod.x, p.x) << p.co;
    EXPECT_EQ(bod.y, p.y) << p.co;
  }

  // A work area left of the primary monitor.
  const RECT vlevo = obdelnik(-1920, 0, 0, 1080);
  POINT bod{};
  EXPECT_TRUE(omez_obdelnik(obdelnik(-1925, 10, -1525, 310), vlevo, bod));
  EXPECT_EQ(bod.x, -1920);
  EXPECT_EQ(bod.y, 10);
  EXPECT_TRUE(omez_obdelnik(obdelnik(-300, 10, 100, 310), vlevo, bod));
  EXPECT_EQ(bod.x, -400);
}

TEST(OmezNaMonitor, SkutecneOknoSeVratiNaPracovniPlochu)
{
  hlavni_okno h;
  h.hwnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, instance, nullptr);
  ASSERT_NE(h.hwnd, nullptr);
  const RECT wa = test::pracovni_plocha(h.hwnd);
  const LONG w = 300, v = 200;
  struct pripad {
    const char* co;
    LONG x, y;     // placed here
    LONG ox, oy;   // expected afterwards
  } pripady[] = {
      {"inside", wa.left + 40, wa.top + 50, wa.left + 40, wa.top + 50},
      {"5 px left", wa.left - 5, wa.top + 50, wa.left, wa.top + 50},
      {"30 px past the right edge", wa.right - w + 30, wa.top + 50, wa.right - w, wa.top + 50},
      {"monitor no longer there", wa.right + 3000, wa.bottom + 2000, wa.right - w, wa.bottom - v},
      {"far up left", wa.left - 4000, wa.top - 3000, wa.left, wa.top},
  };
  for (const auto& p : pripady) {
    ASSERT_TRUE(SetWindowPos(h.hwnd, nullptr, p.x, p.y, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE));
    h.omez_na_monitor();
    RECT r = test::obdelnik_okna(h.hwnd);
    EXPECT_EQ(r.left, p.ox) << p.co;
    EXPECT_EQ(r.top, p.oy) << p.co;
  }

  // Larger than the work area: aligned to its left and top edges.
  ASSERT_TRUE(SetWindowPos(h.hwnd, nullptr, wa.left + 20, wa.top + 20, wa.right - wa.left + 100,
                           wa.bottom - wa.top + 100, SWP_NOZORDER | SWP_NOACTIVATE));
  h.omez_na_monitor();
  RECT r = test::obdelnik_okna(h.hwnd);
  EXPECT_EQ(r.left, wa.left);
  EXPECT_EQ(r.top, wa.top);
}
