// Folder path edits: the button's zones driven by real mouse messages, the folder dialog
// it opens, putting paths in and reading them back, and detaching.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <cmath>
#include "frame/aplikace.h"
#include "tests/podpora/podpora.h"
#include "ui/edit_slozka.h"

TEST(EditSlozka, AktualniSlozkaPresneNeboBezVelikosti)
{
  using kestrum::je_aktualni_slozka;
  EXPECT_TRUE(je_aktualni_slozka(L"current", false));
  EXPECT_FALSE(je_aktualni_slozka(L"CURRENT", false));
  EXPECT_TRUE(je_aktualni_slozka(L"cURRENt", true));
  for (const wchar_t* jiny : {L"current ", L"curren", L"", L"c:\\current"}) EXPECT_FALSE(je_aktualni_slozka(jiny, true));
}

namespace {

// An edit with a 200-pixel client area in a window of its own, bound to an edit_slozka.
class EditSlozkaOkno : public ::testing::Test {
protected:
  HWND rodic = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 300, 60, nullptr, nullptr, instance,
                               nullptr);
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 200, 20, rodic,
                              nullptr, instance, nullptr);
  WNDPROC vlastni = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit, GWLP_WNDPROC));
  kestrum::edit_slozka e;
  std::wstring slozka = test::nova_slozka(L"edit");

  void SetUp() override { CoInitialize(nullptr); }
  void TearDown() override
  {
    e.odpoj();
    DestroyWindow(rodic);
    CoUninitialize();
  }
  std::wstring text() const { return test::text_okna(edit); }
  // The cursor that the edit sets with the mouse at x.
  HCURSOR kurzor(int x)
  {
    SendMessageW(edit, WM_MOUSEMOVE, 0, MAKELPARAM(x, 5));
    SetCursor(nullptr);
    SendMessageW(edit, WM_SETCURSOR, reinterpret_cast<WPARAM>(edit), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  }
  // Presses and releases the left button at x: the folder dialogs that opened.
  std::vector<test::obsluha_oken::vyber> klik(int x, const std::wstring& vybrat = L"")
  {
    test::obsluha_oken o(vybrat);
    SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
    o.konec();
    return o.vybery;
  }
};

} // namespace

TEST_F(EditSlozkaOkno, KurzorTipAKlikKazdyVeSveZone)
{
  // The zones are 20 and 16 px wide at 96 DPI and grow with the screen's DPI (tests/dpi.sh).
  HDC ekran = GetDC(nullptr);
  const double meritko = GetDeviceCaps(ekran, LOGPIXELSY) / 96.0;
  ReleaseDC(nullptr, ekran);
  const int tip = 200 - static_cast<int>(std::lround(20 * meritko));
  const int klik_od = 200 - static_cast<int>(std::lround(16 * meritko));
  e.pripoj(edit, L"C:\\windows");
  RECT r{};
  SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_LE(r.right, tip) << "the text stops before the button";
  TOOLINFOW ti{sizeof ti, 0, edit, 0, {}, nullptr, nullptr, 0, nullptr};
  ASSERT_TRUE(SendMessageW(e.okno_tipu, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)));
  GetClientRect(edit, &r);
  ASSERT_EQ(r.right, 200);
  const RECT zona{tip, 0, 200, r.bottom};
  EXPECT_TRUE(EqualRect(&ti.rect, &zona));
  EXPECT_EQ(test::text_tipu(e.okno_tipu, edit, 0), L"Vybrat složku standardním dialogem Windows");

  // Over the text the edit keeps its own I-beam: it needs the real hit test to choose it.
  const HCURSOR ruka = LoadCursorW(nullptr, IDC_HAND), ibeam = LoadCursorW(nullptr, IDC_IBEAM);
  const struct {
    int x;
    HCURSOR kurzor;
    size_t dialogu;
  } body[] = {{100, ibeam, 0},        {tip - 1, ibeam, 0},    {tip, ruka, 0},
              {klik_od - 1, ruka, 0}, {klik_od, ruka, 1},     {199, ruka, 1}};
  for (const auto& b : body) {
    EXPECT_EQ(kurzor(b.x), b.kurzor) << "x = " << b.x;
    EXPECT_EQ(klik(b.x).size(), b.dialogu) << "x = " << b.x;
    EXPECT_EQ(text(), L"C:\\windows") << "cancelled: nothing changes";
  }
}

TEST_F(EditSlozkaOkno, TlacitkoOteviraVeStartuAVybranaNahradiCelyText)
{
  wchar_t cwd[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, cwd);
  const std::wstring jina = test::nova_slozka(L"jina");
  e.pripoj(edit, nullptr);
  const struct {
    std::wstring start, otevrena, vybrat, vysledek;
  } pripady[] = {{slozka, slozka, jina, jina},
                 {L"current", cwd, jina, jina},
                 {L"CURRENT", cwd, jina, jina},
                 {slozka, slozka, test::MUJ_POCITAC, slozka}}; // chosen, but no path: nothing changes
  for (const auto& p : pripady) {
    SetWindowTextW(edit, p.start.c_str());
    SendMessageW(edit, EM_SETSEL, 2, 4); // text being edited is replaced all the same
    const auto v = klik(190, p.vybrat);
    ASSERT_EQ(v.size(), 1u);
    EXPECT_TRUE(test::stejna_cesta(v[0].stav, p.otevrena)) << test::utf8(p.start) << " -> " << test::utf8(v[0].stav);
    EXPECT_EQ(v[0].vlastnik, rodic);
    EXPECT_TRUE(test::stejna_cesta(text(), p.vysledek)) << test::utf8(text());
    EXPECT_FALSE(e.cesta_platna) << "the button leaves the check as it was";
  }
}

TEST_F(EditSlozkaOkno, NastavACtiCestuSKodem)
{
  const std::wstring soubor = slozka + L"\\soubor.txt";
  test::vytvor_soubor(soubor);
  e.pripoj(edit, slozka.c_str());
  EXPECT_TRUE(e.cesta_platna);
  const struct {
    std::wstring cesta;
    HRESULT nastav, cti;
    bool platna;
  } pripady[] = {{L"", S_FALSE, S_FALSE, true}, // empty: the check stays as it was
                 {soubor, E_INVALIDARG, S_FALSE, false},
                 {slozka + L"\\chybi", E_INVALIDARG, S_FALSE, false},
                 {slozka, S_OK, S_OK, true}};
  for (const auto& p : pripady) {
    EXPECT_EQ(e.nastav_cestu(p.cesta.c_str()), p.nastav) << test::utf8(p.cesta);
    EXPECT_EQ(e.cesta_platna, p.platna) << test::utf8(p.cesta);
    std::wstring precteno = L"x";
    EXPECT_EQ(e.cti_cestu(precteno), p.cti) << test::utf8(p.cesta);
    EXPECT_EQ(precteno, p.cesta);
  }
}

TEST_F(EditSlozkaOkno, OdpojVraciProceduruAUvolniTip)
{
  e.pripoj(edit, L"");
  EXPECT_EQ(HIWORD(SendMessageW(edit, EM_GETMARGINS, 0, 0)), 20);
  HWND tip = e.okno_tipu;
  e.odpoj();
  EXPECT_FALSE(IsWindow(tip));
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit, GWLP_WNDPROC)), vlastni);
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"dál"));
  EXPECT_EQ(text(), L"dál");

  // The edit goes first: its tooltip goes with it, and detaching afterwards is quiet.
  e.pripoj(edit, L"");
  tip = e.okno_tipu;
  DestroyWindow(edit);
  EXPECT_FALSE(IsWindow(tip));
  e.odpoj();
  EXPECT_EQ(e.hwnd, nullptr);
}
