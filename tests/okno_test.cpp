// The window and dialog classes: binding at WM_INITDIALOG, the answers before it, modal and
// modeless life, and subclassing of controls.
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>
#include "frame/aplikace.h"
#include "frame/chyby.h"
#include "frame/okno.h"
#include "res/resource.h"
#include "tests/podpora/podpora.h"

namespace {

constexpr UINT ZPRAVA_KONEC = WM_APP + 1;    // wParam: the value for EndDialog
constexpr UINT ZPRAVA_VYSLEDEK = WM_APP + 2; // the handler answers 5

// What the derived handler saw after its object was destroyed (must stay 0).
int g_volani_po_zniceni = 0;

class zkusebni_dialog final : public kestrum::dialog_impl {
public:
  std::vector<UINT> zpravy;
  int inicializace = 0;
  WPARAM fokus = 0;
  bool modalne = false;
  static inline bool zniceny = false;

  ~zkusebni_dialog() { zniceny = true; }

  INT_PTR zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM lparam) override
  {
    if (zniceny) ++g_volani_po_zniceni;
    zpravy.push_back(zprava);
    if (zprava == ZPRAVA_KONEC) EndDialog(hwnd, static_cast<INT_PTR>(wparam));
    if (zprava == ZPRAVA_VYSLEDEK) return 5;
    return kestrum::dialog_impl::zpracuj_zpravu(zprava, wparam, lparam);
  }
  INT_PTR inicializuj(WPARAM wparam) override
  {
    ++inicializace;
    fokus = wparam;
    if (modalne) PostMessageW(hwnd, ZPRAVA_KONEC, 7, 0);
    return kestrum::dialog_impl::inicializuj(wparam);
  }
};

// A top-level window that the child template 102 can live in.
struct rodic {
  HWND hwnd = CreateWindowExW(0, L"STATIC", L"rodic", WS_POPUP, 0, 0, 800, 700, nullptr, nullptr, instance, nullptr);
  ~rodic() { DestroyWindow(hwnd); }
};

// Records what the one dialog procedure answered, and how many messages the object had
// seen by then.
struct zaznam {
  UINT zprava;
  INT_PTR vysledek;
  size_t videl_objekt;
};
std::vector<zaznam> g_zaznam;
zkusebni_dialog* g_sledovany = nullptr;

INT_PTR CALLBACK sledovaci_procedura(HWND okno, UINT zprava, WPARAM wparam, LPARAM lparam)
{
  INT_PTR r = kestrum::procedura_dialogu(okno, zprava, wparam, lparam);
  g_zaznam.push_back({zprava, r, g_sledovany ? g_sledovany->zpravy.size() : 0});
  return r;
}

} // namespace

TEST(Dialog, ZpravyPredInicializaciDostavajiNuluAObjektJeNevidi)
{
  rodic r;
  zkusebni_dialog d;
  g_zaznam.clear();
  g_sledovany = &d;
  HWND h = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_HLAVNI), r.hwnd, sledovaci_procedura,
                              reinterpret_cast<LPARAM>(&d));
  ASSERT_NE(h, nullptr);

  size_t init = 0;
  while (init < g_zaznam.size() && g_zaznam[init].zprava != WM_INITDIALOG) ++init;
  ASSERT_LT(init, g_zaznam.size());
  bool font = false;
  for (size_t i = 0; i < init; ++i) {
    EXPECT_EQ(g_zaznam[i].vysledek, 0) << "message " << g_zaznam[i].zprava;
    EXPECT_EQ(g_zaznam[i].videl_objekt, 0u);
    font = font || g_zaznam[i].zprava == WM_SETFONT;
  }
  EXPECT_TRUE(font) << "the template's font arrives before WM_INITDIALOG";

  // Bound at WM_INITDIALOG; the focus control is handed over; the base answer 1 passes through.
  EXPECT_EQ(d.inicializace, 1);
  EXPECT_EQ(d.hwnd, h);
  EXPECT_EQ(GetWindowLongPtrW(h, DWLP_USER), reinterpret_cast<LONG_PTR>(&d));
  EXPECT_EQ(g_zaznam[init].vysledek, 1);
  EXPECT_EQ(reinterpret_cast<HWND>(d.fokus), GetDlgItem(h, IDC_VYPIS));

  // A handler's answer goes back as the procedure's result; DWLP_MSGRESULT is not written.
  g_zaznam.clear();
  SendMessageW(h, ZPRAVA_VYSLEDEK, 0, 0);
  ASSERT_FALSE(g_zaznam.empty());
  EXPECT_EQ(g_zaznam.back().vysledek, 5);
  EXPECT_EQ(GetWindowLongPtrW(h, DWLP_MSGRESULT), 0);
  g_sledovany = nullptr;
}

TEST(Dialog, ModalniVraciHodnotuEndDialogAOknoZmizi)
{
  rodic r;
  zkusebni_dialog d;
  d.modalne = true;
  EXPECT_EQ(d.zobraz_modalne(IDD_HLAVNI, r.hwnd), 7);
  EXPECT_EQ(d.inicializace, 1);
  EXPECT_EQ(d.hwnd, nullptr) << "the object keeps no handle of a destroyed window";
  EXPECT_TRUE(IsWindowEnabled(r.hwnd));
}

TEST(Dialog, SmazaniNemodalnihoObjektuZniciOkno)
{
  rodic r;
  zkusebni_dialog::zniceny = false;
  g_volani_po_zniceni = 0;
  auto* d = new zkusebni_dialog;
  HWND h = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_HLAVNI), r.hwnd, kestrum::procedura_dialogu,
                              reinterpret_cast<LPARAM>(d));
  ASSERT_NE(h, nullptr);
  d->hwnd = h;
  delete d;
  EXPECT_FALSE(IsWindow(h));
  // WM_DESTROY and the rest came while only the base part was left.
  EXPECT_EQ(g_volani_po_zniceni, 0);
  zkusebni_dialog::zniceny = false;
}

TEST(Dialog, SmazaniPoZnicenemOknuUzNicNedela)
{
  rodic r;
  auto* d = new zkusebni_dialog;
  HWND h = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_HLAVNI), r.hwnd, kestrum::procedura_dialogu,
                              reinterpret_cast<LPARAM>(d));
  ASSERT_NE(h, nullptr);
  d->hwnd = h;
  ASSERT_TRUE(DestroyWindow(h));
  EXPECT_NE(std::find(d->zpravy.begin(), d->zpravy.end(), static_cast<UINT>(WM_DESTROY)), d->zpravy.end());
  EXPECT_EQ(d->hwnd, nullptr);
  delete d; // finds no window: nothing to destroy, nothing fatal
  zkusebni_dialog::zniceny = false;
  EXPECT_TRUE(IsWindow(r.hwnd));
}

TEST_DITE(okno_modalni_bez_instance)
{
  instance = nullptr;
  zkusebni_dialog d;
  d.zobraz_modalne(IDD_HLAVNI, nullptr);
}

TEST_DITE(okno_pripoj_neokno)
{
  kestrum::ovl_prvek_impl<kestrum::okno> p;
  p.pripoj(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234)));
}

TEST_DITE(okno_dva_objekty_na_prvku)
{
  HWND e = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, instance, nullptr);
  kestrum::ovl_prvek_impl<kestrum::okno> a;
  kestrum::ovl_prvek_impl<kestrum::okno> b;
  a.pripoj(e);
  b.pripoj(e);
}

TEST(Dialog, ChybnaVolaniKonciProces)
{
  struct pripad {
    const wchar_t* scenar;
    HRESULT hr;
  } pripady[] = {
      {L"okno_modalni_bez_instance", E_INVALIDARG},
      {L"okno_pripoj_neokno", E_HANDLE},
      {L"okno_dva_objekty_na_prvku", E_INVALIDARG},
  };
  for (const auto& p : pripady) {
    auto v = test::spust_dite(p.scenar);
    ASSERT_FALSE(v.vyprsel) << test::utf8(p.scenar);
    EXPECT_EQ(v.kod, 1u) << test::utf8(p.scenar);
    ASSERT_EQ(v.boxy.size(), 1u) << test::utf8(p.scenar);
    EXPECT_EQ(v.boxy[0].text, systemovy_text(p.hr)) << test::utf8(p.scenar);
  }
}

namespace {

class zkusebni_prvek final : public kestrum::ovl_prvek_impl<kestrum::okno> {
public:
  int odpojeni = 0;
  std::vector<UINT> zpravy;
  void odpoj() override
  {
    ++odpojeni;
    ovl_prvek_impl::odpoj();
  }
  LRESULT zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM lparam) override
  {
    zpravy.push_back(zprava);
    return ovl_prvek_impl::zpracuj_zpravu(zprava, wparam, lparam);
  }
  bool videl(UINT zprava) const { return std::find(zpravy.begin(), zpravy.end(), zprava) != zpravy.end(); }
};

HWND novy_edit()
{
  return CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, instance, nullptr);
}

std::wstring text(HWND h)
{
  wchar_t b[64] = {};
  GetWindowTextW(h, b, 64);
  return b;
}

} // namespace

TEST(Prvek, PripojPodtridiAOdpojVrati)
{
  HWND e = novy_edit();
  ASSERT_NE(e, nullptr);
  const LONG_PTR puvodni = GetWindowLongPtrW(e, GWLP_WNDPROC);
  zkusebni_prvek p;
  p.pripoj(e);
  EXPECT_EQ(p.odpojeni, 1) << "pripoj starts from a clean state through the virtual odpoj";
  EXPECT_EQ(p.hwnd, e);
  EXPECT_EQ(GetWindowLongPtrW(e, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(kestrum::procedura_prvku));
  EXPECT_EQ(GetWindowLongPtrW(e, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&p));
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(p.puvodni_procedura), puvodni);

  // Messages reach the object and go on to the control.
  SetWindowTextW(e, L"abc");
  EXPECT_TRUE(p.videl(WM_SETTEXT));
  EXPECT_EQ(text(e), L"abc");

  p.odpoj();
  EXPECT_EQ(GetWindowLongPtrW(e, GWLP_WNDPROC), puvodni);
  EXPECT_EQ(p.hwnd, nullptr);
  EXPECT_EQ(p.puvodni_procedura, nullptr);
  p.zpravy.clear();
  SetWindowTextW(e, L"def");
  EXPECT_TRUE(p.zpravy.empty());
  EXPECT_EQ(text(e), L"def");
  DestroyWindow(e);
}

TEST(Prvek, DruhePripojeniPustiPrvniPrvek)
{
  HWND a = novy_edit();
  HWND b = novy_edit();
  const LONG_PTR puvodni = GetWindowLongPtrW(a, GWLP_WNDPROC);
  zkusebni_prvek p;
  p.pripoj(a);
  p.pripoj(b);
  EXPECT_EQ(GetWindowLongPtrW(a, GWLP_WNDPROC), puvodni);
  EXPECT_EQ(GetWindowLongPtrW(b, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(kestrum::procedura_prvku));
  EXPECT_EQ(p.hwnd, b);
  DestroyWindow(a);
  DestroyWindow(b);
}

TEST(Prvek, OdpojZnicenehoPrvkuNesahaNaProceduru)
{
  HWND e = novy_edit();
  zkusebni_prvek p;
  p.pripoj(e);
  ASSERT_TRUE(DestroyWindow(e));
  p.odpoj(); // nothing to restore: must not fail
  EXPECT_EQ(p.hwnd, nullptr);
  EXPECT_EQ(p.puvodni_procedura, nullptr);

  // The object is usable again: a new control is subclassed for real.
  HWND f = novy_edit();
  p.pripoj(f);
  EXPECT_EQ(GetWindowLongPtrW(f, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(kestrum::procedura_prvku));
  p.zpravy.clear();
  SetWindowTextW(f, L"x");
  EXPECT_TRUE(p.videl(WM_SETTEXT));
  p.odpoj();
  DestroyWindow(f);
}
