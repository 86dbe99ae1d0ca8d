// The tooltip group: tools over whole controls with string-table texts, re-creation and
// release of its one window.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include "frame/aplikace.h"
#include "res/resource.h"
#include "tests/podpora/podpora.h"
#include "ui/tooltipy.h"

namespace {

INT_PTR CALLBACK prazdna_procedura(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Template 102 alone, with no dialog object behind it.
struct sablona {
  HWND rodic = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 700, nullptr, nullptr, instance, nullptr);
  HWND hwnd = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_HLAVNI), rodic, prazdna_procedura, 0);
  ~sablona() { DestroyWindow(rodic); }
  HWND prvek(int id) const { return GetDlgItem(hwnd, id); }
};

} // namespace

TEST(SkupinaTooltipu, NastrojeCelychPrvkuSTextyZTabulky)
{
  sablona d;
  ASSERT_NE(d.hwnd, nullptr);
  skupina_tooltipu t;
  t.vytvor(d.hwnd);
  ASSERT_TRUE(IsWindow(t.okno_tipu));
  EXPECT_EQ(t.vlastnik, d.hwnd);
  wchar_t trida[64] = {};
  GetClassNameW(t.okno_tipu, trida, 64);
  EXPECT_STREQ(trida, L"tooltips_class32");
  EXPECT_TRUE(GetWindowLongW(t.okno_tipu, GWL_STYLE) & TTS_ALWAYSTIP);
  EXPECT_TRUE(GetWindowLongW(t.okno_tipu, GWL_EXSTYLE) & WS_EX_TOPMOST);

  t.pridej(d.prvek(IDC_VYCISTIT), 20008);
  t.pridej_id(IDC_PRIDAT_DATUM);        // the control's own id as its text id
  t.pridej_id(IDC_ODKAZ_CIL, 20012);    // an explicit one wins
  t.pridej(d.prvek(IDC_PREDVOLBY), 0); // no text
  EXPECT_EQ(SendMessageW(t.okno_tipu, TTM_GETTOOLCOUNT, 0, 0), 4);
  auto text = [&](int id) { return test::text_tipu(t.okno_tipu, d.hwnd, reinterpret_cast<UINT_PTR>(d.prvek(id))); };
  EXPECT_EQ(text(IDC_VYCISTIT), L"Provést pouze vyčištění zadané zálohované složky");
  EXPECT_EQ(text(IDC_PRIDAT_DATUM), L"Ke jménu cílové složky automaticky přidávat aktuální datum");
  EXPECT_EQ(text(IDC_ODKAZ_CIL), L"Vytvořit výchozí seznam dočasných souborů v projektu Microsoft Visual C++");
  EXPECT_EQ(text(IDC_PREDVOLBY), L"");
  EXPECT_EQ(text(IDC_ZALOHOVAT), L"<none>");

  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = d.hwnd;
  ti.uId = reinterpret_cast<UINT_PTR>(d.prvek(IDC_VYCISTIT));
  ASSERT_TRUE(SendMessageW(t.okno_tipu, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)));
  EXPECT_EQ(ti.uFlags & (TTF_IDISHWND | TTF_SUBCLASS), static_cast<UINT>(TTF_IDISHWND | TTF_SUBCLASS));
  EXPECT_EQ(ti.hinst, instance);
}

TEST(SkupinaTooltipu, DruheVytvoreniAZruseniUvolniOkno)
{
  sablona d;
  HWND prvni;
  {
    skupina_tooltipu t;
    t.vytvor(d.hwnd);
    prvni = t.okno_tipu;
    t.pridej_id(IDC_VYCISTIT, 20008);
    t.vytvor(d.hwnd);
    EXPECT_FALSE(IsWindow(prvni)) << "the old window and its tools go";
    ASSERT_TRUE(IsWindow(t.okno_tipu));
    EXPECT_EQ(SendMessageW(t.okno_tipu, TTM_GETTOOLCOUNT, 0, 0), 0);
    prvni = t.okno_tipu;
    t.zrus();
    EXPECT_FALSE(IsWindow(prvni));
    EXPECT_EQ(t.okno_tipu, nullptr);
    EXPECT_EQ(t.vlastnik, nullptr);
    t.zrus(); // nothing left: nothing fatal

    t.vytvor(d.hwnd);
    prvni = t.okno_tipu;
  }
  EXPECT_FALSE(IsWindow(prvni)) << "the group's destructor releases its window";
}
