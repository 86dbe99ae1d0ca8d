// Folder path edits: the button's zones driven by real mouse messages, the folder dialog
// it opens, putting paths in and reading them back, and detaching.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include "frame/aplikace.h"
#include "tests/podpora/podpora.h"
#include "ui/edit_slozka.h"

using kestrum::zona_tlacitka;

TEST(EditSlozka, ZonyTlacitkaAAktualniSlozka)
{
  const RECT k{0, 0, 200, 20};
  EXPECT_EQ(kestrum::zona(k, 16, zona_tlacitka::tip).left, 180);
  EXPECT_EQ(kestrum::zona(k, 16, zona_tlacitka::kresba).left, 182);
  const RECT klik = kestrum::zona(k, 16, zona_tlacitka::klik);
  EXPECT_EQ(klik.left, 184);
  EXPECT_EQ(klik.right, 200);
  EXPECT_EQ(klik.bottom, 20);
  EXPECT_EQ(kestrum::pravy_okraj_textu(16), 20);

  struct {
    const wchar_t* text;
    bool presne, bez_velikosti;
  } const pripady[] = {{L"current", true, true},   {L"CURRENT", false, true}, {L"Current", false, true},
                       {L"current ", false, false}, {L"curren", false, false}, {L"", false, false},
                       {L"c:\\current", false, false}};
  for (const auto& p : pripady) {
    EXPECT_EQ(kestrum::je_aktualni_slozka(p.text, false), p.presne) << test::utf8(p.text);
    EXPECT_EQ(kestrum::je_aktualni_slozka(p.text, true), p.bez_velikosti) << test::utf8(p.text);
  }
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
  // Moves the mouse to x and answers which cursor the edit sets.
  HCURSOR kurzor(int x)
  {
    SendMessageW(edit, WM_MOUSEMOVE, 0, MAKELPARAM(x, 5));
    SetCursor(nullptr);
    SendMessageW(edit, WM_SETCURSOR, reinterpret_cast<WPARAM>(edit), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  }
  // Presses and releases the left button at x; the folder dialogs opened, answered by `o`.
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
  e.pripoj(edit, L"C:\\windows");
  RECT k{};
  GetClientRect(edit, &k);
  ASSERT_EQ(k.right, 200);
  RECT text_rect{};
  SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text_rect));
  EXPECT_LE(text_rect.right, 180) << "the text stops before the button";

  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = edit;
  ASSERT_TRUE(SendMessageW(e.okno_tipu, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)));
  EXPECT_EQ(ti.rect.left, 180);
  EXPECT_EQ(ti.rect.top, 0);
  EXPECT_EQ(ti.rect.right, 200);
  EXPECT_EQ(ti.rect.bottom, k.bottom);
  EXPECT_EQ(test::text_tipu(e.okno_tipu, edit, 0), L"Vybrat složku standardním dialogem Windows");

  const HCURSOR ruka = LoadCursorW(nullptr, IDC_HAND), ibeam = LoadCursorW(nullptr, IDC_IBEAM);
  struct {
    int x;
    HCURSOR kurzor;
    size_t dialogu;
  } const body[] = {{100, ibeam, 0}, {179, ibeam, 0}, {180, ruka, 0}, {183, ruka, 0}, {184, ruka, 1}, {199, ruka, 1}};
  for (const auto& b : body) {
    const HCURSOR k = kurzor(b.x);
    EXPECT_EQ(k, b.kurzor) << "x = " << b.x << (k == LoadCursorW(nullptr, IDC_ARROW) ? ": the arrow" : "");
    EXPECT_EQ(klik(b.x).size(), b.dialogu) << "x = " << b.x;
    EXPECT_EQ(text(), L"C:\\windows") << "cancelled: nothing changes";
  }
}

TEST_F(EditSlozkaOkno, TlacitkoOteviraVeStartuAVybranaNahradiCelyText)
{
  wchar_t cwd[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, cwd);
  const std::wstring jina = test::nova_slozka(L"jina");
  struct {
    const wchar_t* start;
    std::wstring otevrena;
  } const pripady[] = {{slozka.c_str(), slozka}, {L"current", cwd}, {L"CURRENT", cwd}};
  e.pripoj(edit, nullptr);
  for (const auto& p : pripady) {
    SetWindowTextW(edit, p.start);
    SendMessageW(edit, EM_SETSEL, 2, 4); // text being edited is replaced all the same
    auto v = klik(190, jina);
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(CompareStringOrdinal(v[0].stav.c_str(), -1, p.otevrena.c_str(), -1, TRUE), CSTR_EQUAL)
        << test::utf8(v[0].stav);
    EXPECT_EQ(v[0].vlastnik, rodic);
    EXPECT_EQ(CompareStringOrdinal(text().c_str(), -1, jina.c_str(), -1, TRUE), CSTR_EQUAL) << test::utf8(text());
    EXPECT_FALSE(e.cesta_platna) << "the button leaves the check as it was";
  }
}

TEST_F(EditSlozkaOkno, NastavACtiCestuSKodem)
{
  const std::wstring soubor = slozka + L"\\soubor.txt";
  test::vytvor_soubor(soubor);
  e.pripoj(edit, slozka.c_str());
  EXPECT_TRUE(e.cesta_platna);
  struct {
    std::wstring cesta;
    HRESULT nastav, cti;
    bool platna;
  } const pripady[] = {{L"", S_FALSE, S_FALSE, true}, // empty: the check stays as it was
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
  EXPECT_EQ(e.nastav_cestu(nullptr), S_FALSE);
  EXPECT_EQ(text(), L"");
}

TEST_F(EditSlozkaOkno, OdpojVraciProceduruAUvolniTip)
{
  e.pripoj(edit, L"");
  EXPECT_EQ(HIWORD(SendMessageW(edit, EM_GETMARGINS, 0, 0)), 20);
  HWND tip = e.okno_tipu;
  e.pripoj(edit, L""); // a second attach starts afresh
  EXPECT_FALSE(IsWindow(tip));
  tip = e.okno_tipu;
  e.odpoj();
  EXPECT_FALSE(IsWindow(tip));
  EXPECT_EQ(e.hwnd, nullptr);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit, GWLP_WNDPROC)), vlastni);
  SendMessageW(edit, WM_MOUSEMOVE, 0, MAKELPARAM(190, 5)); // the edit's own again
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
