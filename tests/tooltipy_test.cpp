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
} // namespace

TEST(SkupinaTooltipu, TextyZTabulkyANoveOknoPriKazdemVytvoreni)
{
  // Template 102 alone, with no dialog object behind it.
  HWND rodic = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 700, nullptr, nullptr, instance, nullptr);
  HWND d = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_HLAVNI), rodic, prazdna_procedura, 0);
  HWND prvni = nullptr;
  {
    skupina_tooltipu t;
    t.vytvor(d);
    ASSERT_TRUE(IsWindow(t.okno_tipu));
    EXPECT_TRUE(GetWindowLongW(t.okno_tipu, GWL_STYLE) & TTS_ALWAYSTIP) << "tips also over an inactive dialog";
    t.pridej_id(IDC_PRIDAT_DATUM);     // the control's own id as its text id
    t.pridej_id(IDC_ODKAZ_CIL, IDS_TIP_VYCHOZI_SOUBORY); // an explicit one wins
    t.pridej(GetDlgItem(d, IDC_PREDVOLBY), 0);
    auto text = [&](int id) { return test::text_tipu(t.okno_tipu, d, reinterpret_cast<UINT_PTR>(GetDlgItem(d, id))); };
    EXPECT_EQ(text(IDC_PRIDAT_DATUM), L"Ke jménu cílové složky automaticky přidávat aktuální datum");
    EXPECT_EQ(text(IDC_ODKAZ_CIL), L"Vytvořit výchozí seznam dočasných souborů v projektu Microsoft Visual C++");
    EXPECT_EQ(text(IDC_PREDVOLBY), L"");

    prvni = t.okno_tipu;
    t.vytvor(d);
    EXPECT_FALSE(IsWindow(prvni)) << "the old window and its tools go";
    EXPECT_EQ(SendMessageW(t.okno_tipu, TTM_GETTOOLCOUNT, 0, 0), 0);
    prvni = t.okno_tipu;
    t.zrus();
    EXPECT_FALSE(IsWindow(prvni));
    EXPECT_EQ(t.vlastnik, nullptr);
    t.vytvor(d);
    prvni = t.okno_tipu;
  }
  EXPECT_FALSE(IsWindow(prvni)) << "the group's destructor releases its window";
  DestroyWindow(rodic);
}
