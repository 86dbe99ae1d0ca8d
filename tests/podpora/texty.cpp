#include "tests/podpora/texty.h"

#include <commctrl.h>
#include <algorithm>
#include <cwchar>
#include <string>
#include "tests/podpora/podpora.h"

namespace test {

namespace {

// How a control draws its text: where, with which DrawText flags, and which text.
struct rozvrh {
  bool kresli = false; // false: the control draws no text of its own
  RECT misto{};
  UINT dt = 0;
  std::wstring text;
};

// A link's text as shown: the markup left out.
std::wstring bez_znacek(const std::wstring& s)
{
  std::wstring v;
  bool ve_znacce = false;
  for (wchar_t c : s) {
    if (c == L'<')
      ve_znacce = true;
    else if (c == L'>')
      ve_znacce = false;
    else if (!ve_znacce)
      v += c;
  }
  return v;
}

rozvrh rozvrh_staticky(DWORD styl, rozvrh r)
{
  switch (styl & SS_TYPEMASK) {
  case SS_LEFT:
  case SS_CENTER:
  case SS_RIGHT:
    r.dt = DT_WORDBREAK | DT_EXPANDTABS;
    break;
  case SS_LEFTNOWORDWRAP:
    r.dt = DT_EXPANDTABS;
    break;
  case SS_SIMPLE:
    r.dt = DT_SINGLELINE;
    break;
  default:
    return {}; // icons, bitmaps, frames, owner-drawn
  }
  if (styl & SS_ELLIPSISMASK) return {}; // cut on purpose, with its ellipsis
  if (styl & SS_NOPREFIX) r.dt |= DT_NOPREFIX;
  r.kresli = true;
  return r;
}

rozvrh rozvrh_tlacitka(HWND prvek, HDC dc, DWORD styl, rozvrh r)
{
  if (styl & (BS_ICON | BS_BITMAP)) return {};
  DWORD typ = styl & BS_TYPEMASK;
  if (styl & BS_PUSHLIKE) typ = BS_PUSHBUTTON;
  r.dt = (styl & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
  switch (typ) {
  case BS_PUSHBUTTON:
  case BS_DEFPUSHBUTTON:
  case BS_SPLITBUTTON:
  case BS_DEFSPLITBUTTON: {
    // The raised frame (2 px), and the focus rectangle inside it (1 px).
    InflateRect(&r.misto, -3, -3);
    if (typ == BS_SPLITBUTTON || typ == BS_DEFSPLITBUTTON) {
      // The drop-down part on the right, with the line that divides it off.
      BUTTON_SPLITINFO si{};
      si.mask = BCSIF_SIZE;
      SendMessageW(prvek, BCM_GETSPLITINFO, 0, reinterpret_cast<LPARAM>(&si));
      r.misto.right -= std::max<LONG>(si.size.cx, GetSystemMetrics(SM_CXVSCROLL)) + 2;
    }
    break;
  }
  case BS_CHECKBOX:
  case BS_AUTOCHECKBOX:
  case BS_RADIOBUTTON:
  case BS_AUTORADIOBUTTON:
  case BS_3STATE:
  case BS_AUTO3STATE: {
    // The box (13 px at 96 DPI), the gap of half a digit's width, and the focus
    // rectangle's pixel after the text.
    const int ctverecek = MulDiv(12, GetDeviceCaps(dc, LOGPIXELSX), 96) + 1;
    INT nula = 0;
    GetCharWidth32W(dc, L'0', L'0', &nula);
    if (styl & BS_LEFTTEXT)
      r.misto.right -= ctverecek + nula / 2;
    else
      r.misto.left += ctverecek + nula / 2;
    r.misto.right -= 1;
    break;
  }
  case BS_GROUPBOX:
    // The caption sits in the top edge, inset from the frame's corners.
    InflateRect(&r.misto, -8, 0);
    r.dt = DT_SINGLELINE;
    break;
  default:
    return {}; // owner-drawn, user buttons, command links
  }
  r.kresli = true;
  return r;
}

rozvrh rozvrh_prvku(HWND prvek, HDC dc)
{
  rozvrh r;
  wchar_t trida[64] = {};
  GetClassNameW(prvek, trida, 64);
  const DWORD styl = static_cast<DWORD>(GetWindowLongW(prvek, GWL_STYLE));
  GetClientRect(prvek, &r.misto);
  r.text = text_okna(prvek);
  if (_wcsicmp(trida, WC_STATICW) == 0) return rozvrh_staticky(styl, std::move(r));
  if (_wcsicmp(trida, WC_BUTTONW) == 0) return rozvrh_tlacitka(prvek, dc, styl, std::move(r));
  if (_wcsicmp(trida, WC_LINK) == 0) {
    r.text = bez_znacek(r.text);
    r.dt = DT_WORDBREAK | DT_NOPREFIX;
    r.kresli = true;
  }
  return r;
}

struct hledani {
  HWND dialog;
  std::vector<nevejde_se>* vysledek;
};

BOOL CALLBACK zmer_prvek(HWND prvek, LPARAM lp)
{
  auto* h = reinterpret_cast<hledani*>(lp);
  if (GetParent(prvek) != h->dialog || !(GetWindowLongW(prvek, GWL_STYLE) & WS_VISIBLE)) return TRUE;
  HDC dc = GetDC(prvek);
  HGDIOBJ puvodni = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(prvek, WM_GETFONT, 0, 0)));
  const rozvrh r = rozvrh_prvku(prvek, dc);
  if (r.kresli && !r.text.empty()) {
    const SIZE misto{r.misto.right - r.misto.left, r.misto.bottom - r.misto.top};
    RECT potreba{0, 0, misto.cx, 0};
    DrawTextW(dc, r.text.c_str(), -1, &potreba, r.dt | DT_CALCRECT);
    if (potreba.right > misto.cx || potreba.bottom > misto.cy) {
      TEXTMETRICW tm{};
      GetTextMetricsW(dc, &tm);
      const int radku = tm.tmHeight > 0 ? potreba.bottom / tm.tmHeight : 1;
      h->vysledek->push_back({GetDlgCtrlID(prvek), r.text, {potreba.right, potreba.bottom}, radku, misto});
    }
  }
  if (puvodni) SelectObject(dc, puvodni);
  ReleaseDC(prvek, dc);
  return TRUE;
}

} // namespace

std::vector<nevejde_se> co_se_nevejde(HWND dialog)
{
  std::vector<nevejde_se> v;
  hledani h{dialog, &v};
  EnumChildWindows(dialog, zmer_prvek, reinterpret_cast<LPARAM>(&h));
  return v;
}

::testing::AssertionResult texty_se_vejdou(HWND dialog)
{
  const auto v = co_se_nevejde(dialog);
  if (v.empty()) return ::testing::AssertionSuccess();
  auto a = ::testing::AssertionFailure();
  for (const auto& n : v)
    a << "control " << n.id << " \"" << utf8(n.text) << "\" needs " << n.potreba.cx << "x" << n.potreba.cy
      << " px in " << n.radku << (n.radku == 1 ? " line" : " lines") << ", has " << n.misto.cx << "x"
      << n.misto.cy << "\n";
  return a;
}

} // namespace test
