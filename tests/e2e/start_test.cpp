// Start-up and shut-down of the real program, driven only through window messages: the
// window it shows, where it shows it, and what it leaves in the registry.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <string>
#include <utility>
#include <vector>
#include "frame/hlavni_okno.h"
#include "frame/jedina_instance.h"
#include "res/texty.h"
#include "frame/registr.h"
#include "res/resource.h"
#include "tests/e2e/program.h"
#include "tests/podpora/podpora.h"

namespace {

using namespace e2e;


void zapis_umisteni(LONG left, LONG top, BYTE topmost)
{
  umisteni_okna u{};
  u.left = left;
  u.top = top;
  u.right = left + 100;
  u.bottom = top + 100;
  u.topmost = topmost;
  test::zapis_hodnotu(KLIC_APLIKACE, L"umisteni_okna", REG_BINARY, &u, sizeof u);
}

std::wstring dokumenty() { return test::znama_slozka(FOLDERID_Documents); }

// Points the user's Documents folder at a folder that does not exist, for as long as it lives.
class bez_dokumentu {
public:
  bez_dokumentu()
  {
    mel_ = test::cti_hodnotu(KLIC, L"Personal", typ_, puvodni_);
    const std::wstring nikde = L"Z:\\dokumenty-ktere-nejsou";
    test::zapis_hodnotu(KLIC, L"Personal", REG_EXPAND_SZ, nikde.c_str(),
                        static_cast<DWORD>(2 * (nikde.size() + 1)));
  }
  ~bez_dokumentu()
  {
    if (mel_)
      test::zapis_hodnotu(KLIC, L"Personal", typ_, puvodni_.data(), static_cast<DWORD>(puvodni_.size()));
    else
      RegDeleteKeyValueW(HKEY_CURRENT_USER, KLIC, L"Personal");
  }
  bez_dokumentu(const bez_dokumentu&) = delete;
  bez_dokumentu& operator=(const bez_dokumentu&) = delete;

private:
  static constexpr const wchar_t* KLIC = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  bool mel_ = false;
  DWORD typ_ = 0;
  std::vector<BYTE> puvodni_;
};

class Start : public e2e::bez_klice {};

// Clicks a control in its middle or at its right end (posted: what opens runs in the click).
void klikni(HWND prvek, bool vpravo)
{
  RECT r{};
  GetClientRect(prvek, &r);
  const LPARAM bod = MAKELPARAM(vpravo ? r.right - 4 : r.right / 2, r.bottom / 2);
  PostMessageW(prvek, WM_LBUTTONDOWN, MK_LBUTTON, bod);
  PostMessageW(prvek, WM_LBUTTONUP, 0, bod);
}

} // namespace

TEST_F(Start, PrvniStartUkazeOknoAZavreniUloziVse)
{
  beh b;
  ASSERT_TRUE(b.cekej_na_okno());
  EXPECT_TRUE(b.seznamy_pred_oknem) << "the default lists are saved before the window exists";

  EXPECT_EQ(test::text_okna(b.okno), L"Tesvarin");
  const LONG styl = GetWindowLongW(b.okno, GWL_STYLE);
  EXPECT_EQ(styl & WS_CAPTION, WS_CAPTION);
  EXPECT_FALSE(styl & WS_MAXIMIZEBOX);
  EXPECT_FALSE(styl & WS_THICKFRAME);
  EXPECT_FALSE(GetWindowLongW(b.okno, GWL_EXSTYLE) & WS_EX_TOPMOST);

  HWND d = b.dialog();
  ASSERT_NE(d, nullptr);
  RECT klient{}, rd = test::obdelnik_okna(d);
  GetClientRect(b.okno, &klient);
  EXPECT_EQ(klient.right, rd.right - rd.left);
  EXPECT_EQ(klient.bottom, rd.bottom - rd.top);

  // First run: the key exists (the lists made it) without a placement: top-left corner.
  const RECT wa = test::pracovni_plocha(b.okno);
  const RECT r = test::obdelnik_okna(b.okno);
  EXPECT_EQ(r.left, wa.left);
  EXPECT_EQ(r.top, wa.top);

  EXPECT_EQ(test::text_okna(b.prvek(IDC_ZDROJ)), dokumenty());
  EXPECT_EQ(test::text_okna(b.prvek(IDC_CIL)), L"");
  EXPECT_EQ(SendMessageW(b.prvek(IDC_PRIDAT_DATUM), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_GT(SendMessageW(b.prvek(IDC_SOUBORY), LB_GETCOUNT, 0, 0), 0);

  EXPECT_EQ(b.zavri(), 0u);
  EXPECT_TRUE(test::ulozene_umisteni_je(r));
  EXPECT_EQ(test::cislo_hodnoty(L"param"), 3u);
  EXPECT_EQ(test::cislo_hodnoty(L"vypis"), 3u);
  EXPECT_EQ(test::cislo_hodnoty(L"vypis_casu"), 3u);
  EXPECT_EQ(test::text_hodnoty(L"slozka"), dokumenty());
  EXPECT_EQ(test::text_hodnoty(L"slozka_cil"), L"");
}

TEST_F(Start, DruhyStartObnoviPolohuINahore)
{
  POINT kam{};
  {
    beh b;
    ASSERT_TRUE(b.cekej_na_okno());
    const RECT wa = test::pracovni_plocha(b.okno);
    kam = {wa.left + 120, wa.top + 90};
    ASSERT_TRUE(SetWindowPos(b.okno, HWND_TOPMOST, kam.x, kam.y, 0, 0, SWP_NOSIZE));
    EXPECT_EQ(b.zavri(), 0u);
  }
  umisteni_okna u{};
  ASSERT_TRUE(test::umisteni_hodnoty(&u));
  EXPECT_EQ(u.left, kam.x);
  EXPECT_EQ(u.top, kam.y);
  EXPECT_EQ(u.topmost, 1);

  beh b;
  ASSERT_TRUE(b.cekej_na_okno());
  RECT r = test::obdelnik_okna(b.okno);
  EXPECT_EQ(r.left, kam.x);
  EXPECT_EQ(r.top, kam.y);
  EXPECT_TRUE(GetWindowLongW(b.okno, GWL_EXSTYLE) & WS_EX_TOPMOST);
  // Started once more while it runs: the running window comes back, and nothing is saved.
  ShowWindow(b.okno, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(b.okno));
  RegDeleteKeyValueW(HKEY_CURRENT_USER, KLIC_APLIKACE, L"mazane_soubory");
  beh znovu;
  DWORD kod = WaitForSingleObject(znovu.pi.hProcess, 20000);
  GetExitCodeProcess(znovu.pi.hProcess, &kod);
  EXPECT_EQ(kod, 0u);
  // The restore is asked for without waiting on the running window: wait for it here.
  for (int i = 0; i < 500 && IsIconic(b.okno); ++i) WaitForSingleObject(b.pi.hProcess, 10);
  EXPECT_TRUE(IsWindowVisible(b.okno) && !IsIconic(b.okno));
  EXPECT_FALSE(beh::existuje(L"mazane_soubory")) << "the second start saved nothing";
  EXPECT_EQ(b.zavri(), 0u);
  ASSERT_TRUE(test::umisteni_hodnoty(&u));
  EXPECT_EQ(u.left, kam.x);
  EXPECT_EQ(u.topmost, 1);
}

TEST_F(Start, PolohaZeZmizelehoMonitoruSeVratiNaPlochu)
{
  zapis_umisteni(6000, 5000, 0);
  beh b;
  ASSERT_TRUE(b.cekej_na_okno());
  const RECT wa = test::pracovni_plocha(b.okno);
  const RECT r = test::obdelnik_okna(b.okno);
  EXPECT_EQ(r.right, wa.right);
  EXPECT_EQ(r.bottom, wa.bottom);
  EXPECT_FALSE(GetWindowLongW(b.okno, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(b.zavri(), 0u);
}

// The end of the session: everything is saved at once and the dialog goes; a close that
// still comes saves again and ends with 0.
TEST_F(Start, KonecRelaceUloziVseHned)
{
  beh b;
  ASSERT_TRUE(b.cekej_na_okno());
  const std::wstring cil = L"Z:\\konec relace";
  SendMessageW(b.prvek(IDC_CIL), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(cil.c_str()));
  SendMessageW(b.okno, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(b.dialog(), nullptr);
  EXPECT_EQ(test::text_hodnoty(L"slozka_cil"), cil);
  umisteni_okna u{};
  EXPECT_TRUE(test::umisteni_hodnoty(&u));
  test::smaz_klic(KLIC_APLIKACE);
  EXPECT_EQ(b.zavri(), 0u);
  EXPECT_EQ(test::text_hodnoty(L"slozka_cil"), cil);
  EXPECT_TRUE(test::umisteni_hodnoty(&u));
}

TEST_F(Start, UlozenaSlozkaMaPrednost)
{
  const std::wstring moje = L"Z:\\moje složka";
  test::zapis_hodnotu(KLIC_APLIKACE, L"slozka", REG_SZ, moje.c_str(), static_cast<DWORD>(2 * (moje.size() + 1)));
  beh b;
  ASSERT_TRUE(b.cekej_na_okno());
  EXPECT_EQ(test::text_okna(b.prvek(IDC_ZDROJ)), moje);
  EXPECT_EQ(b.zavri(), 0u);
  EXPECT_EQ(test::text_hodnoty(L"slozka"), moje);
}

TEST_F(Start, BezDokumentuJeZdrojemSlozkaProgramu)
{
  std::wstring slozka = program();
  PathRemoveFileSpecW(slozka.data());
  slozka.resize(std::wcslen(slozka.c_str()));

  bez_dokumentu zadne;
  beh b;
  ASSERT_TRUE(b.cekej_na_okno());
  EXPECT_EQ(test::text_okna(b.prvek(IDC_ZDROJ)), slozka);
  EXPECT_EQ(b.zavri(), 0u);
  EXPECT_EQ(test::text_hodnoty(L"slozka"), slozka);
}

// The window closed, or the session ended and the dialog was answered after it: the gone
// main dialog is not touched, the run ends with 0 and no box, and the window's state is saved.
TEST_F(Start, ZavreniAKonecRelacePodDialogem)
{
  const std::pair<void (*)(beh&), int> dialogy[] = { // how it opens, a control that finds it
      {[](beh& b) { klikni(b.prvek(IDC_ODKAZ_CIL), false); }, 14146},
      {[](beh& b) { klikni(b.prvek(IDC_CIL), true); }, 14146},
      {[](beh& b) { PostMessageW(b.prvek(IDC_PRIDAT_SOUBOR), BM_CLICK, 0, 0); }, IDC_VSTUP_TEXT},
      {[](beh& b) { PostMessageW(b.prvek(IDC_PREDVOLBY), BM_CLICK, 0, 0); }, IDC_FORMAT_DATA},
      {[](beh& b) { PostMessageW(b.dialog(), WM_COMMAND, IDM_O_APLIKACI, 0); }, IDC_INFO_VERZE}};
  const std::wstring cil = test::nova_slozka(L"pod dialogem");
  for (int i = 0; i < 10; ++i) {
    beh b;
    ASSERT_TRUE(b.cekej_na_okno());
    SendMessageW(b.prvek(IDC_CIL), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(cil.c_str()));
    dialogy[i / 2].first(b);
    HWND okno = test::cekej_na_dialog(b.pi.dwProcessId, nullptr, dialogy[i / 2].second);
    ASSERT_NE(okno, nullptr) << i;
    RegDeleteKeyValueW(HKEY_CURRENT_USER, KLIC_APLIKACE, L"mazane_soubory");
    if (i % 2) { // the session ends, then the dialog is answered (Add with a new name)
      SendMessageW(b.okno, WM_ENDSESSION, TRUE, 0);
      test::napis(GetDlgItem(okno, IDC_VSTUP_TEXT), L".novy");
      PostMessageW(okno, WM_COMMAND, IDOK, 0); // handled before the close that follows
    }
    EXPECT_EQ(b.zavri(), 0u) << i;
    EXPECT_EQ(test::text_hodnoty(L"slozka_cil"), cil) << i;
    EXPECT_FALSE(beh::existuje(L"mazane_soubory")) << i << ": a late answer changes no list";
  }
}

// A second start never dies and never hangs: beside a first Tesvarin started from a renamed
// copy (restored), behind a hung one, and beside a mutex it may not open (that of a
// Tesvarin started with higher rights: then a box says it runs).
TEST_F(Start, DruhyStartNikdyNepadneANevisi)
{
  const std::wstring kopie = test::slozka_programu() + L"\\Tesvarin-portable.exe", druhy = L"\"" + program() + L"\"";
  ASSERT_TRUE(CopyFileW(program().c_str(), kopie.c_str(), FALSE));
  {
    beh prvni(kopie);
    ASSERT_TRUE(prvni.cekej_na_okno());
    ShowWindow(prvni.okno, SW_MINIMIZE);
    auto v = test::spust_a_odklikej(druhy, 15000);
    EXPECT_TRUE(v.kod == 0 && v.boxy.empty() && !v.vyprsel);
    for (int i = 0; i < 500 && IsIconic(prvni.okno); ++i) WaitForSingleObject(prvni.pi.hProcess, 10);
    EXPECT_FALSE(IsIconic(prvni.okno)) << "the renamed copy is restored";
    ShowWindow(prvni.okno, SW_MINIMIZE);
    SuspendThread(prvni.pi.hThread);
    v = test::spust_a_odklikej(druhy, 15000);
    ResumeThread(prvni.pi.hThread);
    EXPECT_TRUE(v.kod == 0 && v.boxy.empty() && !v.vyprsel) << "behind a hung Tesvarin";
    EXPECT_EQ(prvni.zavri(), 0u);
  }
  ACL prazdny{};
  InitializeAcl(&prazdny, sizeof prazdny, ACL_REVISION);
  SECURITY_DESCRIPTOR sd{};
  InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&sd, TRUE, &prazdny, FALSE);
  SECURITY_ATTRIBUTES sa{sizeof sa, &sd, FALSE};
  const HANDLE mutex = CreateMutexW(&sa, FALSE, L"Local\\Kestrum.Tesvarin.1");
  const auto v = test::spust_a_odklikej(druhy, 15000);
  CloseHandle(mutex);
  EXPECT_FALSE(v.vyprsel);
  EXPECT_EQ(v.kod, 0u);
  ASSERT_EQ(v.boxy.size(), 1u);
  EXPECT_EQ(v.boxy[0].text, texty::uz_bezi);
}
