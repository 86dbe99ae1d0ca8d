// The check that texts fit their controls: each kind of control by its own rule, on controls
// made just large enough and just too small for their texts.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <set>
#include "frame/aplikace.h"
#include "tests/podpora/texty.h"

namespace {

// The size of a text drawn with `pismo` (DrawText with DT_CALCRECT and `dt`).
SIZE rozmer(HWND okno, HFONT pismo, const wchar_t* text, UINT dt)
{
  HDC dc = GetDC(okno);
  HGDIOBJ puvodni = SelectObject(dc, pismo);
  RECT r{0, 0, 10000, 0};
  DrawTextW(dc, text, -1, &r, dt | DT_CALCRECT);
  SelectObject(dc, puvodni);
  ReleaseDC(okno, dc);
  return {r.right, r.bottom};
}

} // namespace

TEST(TextySeVejdou, KazdyDruhPodleSvehoPravidla)
{
  HWND okno = CreateWindowExW(0, WC_STATICW, L"", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, instance, nullptr);
  ASSERT_NE(okno, nullptr);
  HFONT pismo = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const wchar_t* text = L"Přidat datum (a čas)";
  const wchar_t* dva_radky = L"Výchozí\n(Visual C++)";
  const SIZE t = rozmer(okno, pismo, text, DT_SINGLELINE);
  const SIZE d = rozmer(okno, pismo, dva_radky, 0);
  const SIZE posledni = rozmer(okno, pismo, L"(Visual C++)", DT_SINGLELINE);
  const SIZE bez_zavorky = rozmer(okno, pismo, L"(Visual", DT_SINGLELINE);

  struct pripad {
    const wchar_t* trida;
    DWORD styl;
    const wchar_t* text;
    LONG sirka, vyska;
    bool vejde;
  } pripady[] = {
      {WC_STATICW, SS_LEFT, text, t.cx, t.cy, true},
      {WC_STATICW, SS_LEFT, text, t.cx - 1, t.cy, false}, // wraps, the second line is cut
      {WC_STATICW, SS_LEFT, text, t.cx - 1, 2 * t.cy, true},
      {WC_STATICW, SS_LEFT | SS_ENDELLIPSIS, text, 10, t.cy, true}, // cut on purpose
      {WC_STATICW, SS_ICON, text, 10, 10, true},
      {WC_BUTTONW, BS_PUSHBUTTON, text, t.cx + 6, t.cy + 6, true},
      {WC_BUTTONW, BS_PUSHBUTTON, text, t.cx + 5, t.cy + 6, false}, // into the frame
      {WC_BUTTONW, BS_PUSHBUTTON | BS_MULTILINE, dva_radky, d.cx + 6, d.cy + 6, true},
      {WC_BUTTONW, BS_PUSHBUTTON | BS_MULTILINE, dva_radky, d.cx + 6, d.cy + 5, false},
      {WC_BUTTONW, BS_PUSHBUTTON | BS_MULTILINE, dva_radky, (posledni.cx + bez_zavorky.cx) / 2 + 6, d.cy + 6,
       false}, // the second line breaks in two
      {WC_BUTTONW, BS_SPLITBUTTON, text, t.cx + 8, t.cy + 6, false}, // the arrow takes its part
      {WC_BUTTONW, BS_SPLITBUTTON, text, t.cx + 60, t.cy + 6, true},
      {WC_BUTTONW, BS_AUTOCHECKBOX, text, t.cx + 8, t.cy, false}, // room for the text, not the box
      {WC_BUTTONW, BS_AUTOCHECKBOX, text, t.cx + 30, t.cy, true},
      {WC_BUTTONW, BS_AUTORADIOBUTTON | BS_LEFTTEXT, text, t.cx + 8, t.cy, false},
      {WC_BUTTONW, BS_GROUPBOX, text, t.cx + 16, 60, true},
      {WC_BUTTONW, BS_GROUPBOX, text, t.cx + 8, 60, false},
      {WC_BUTTONW, BS_OWNERDRAW, text, 5, 5, true}, // draws itself
      {WC_LINK, 0, L"<a>Přidat datum (a čas)</a>", t.cx, t.cy, true},
      {WC_LINK, 0, L"<a>Přidat datum (a čas)</a>", t.cx - 1, t.cy, false},
  };
  std::set<int> ocekavano;
  int id = 100;
  for (const auto& p : pripady) {
    HWND h = CreateWindowExW(0, p.trida, p.text, WS_CHILD | WS_VISIBLE | p.styl, 0, 0, p.sirka, p.vyska, okno,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    ASSERT_NE(h, nullptr) << id;
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(pismo), FALSE);
    if (!p.vejde) ocekavano.insert(id);
    ++id;
  }
  std::set<int> nahlaseno;
  for (const auto& n : test::co_se_nevejde(okno)) nahlaseno.insert(n.id);
  EXPECT_EQ(nahlaseno, ocekavano) << "ids from 100 in the order of the table";
  DestroyWindow(okno);
}
