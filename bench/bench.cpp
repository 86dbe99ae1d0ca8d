// Measures the engine against bare platform calls on a generated tree (bench/run drives it).
//   tesvarin_bench cisteni <folder>          the clean through the real runner and log list box
//   tesvarin_bench cisteni_tiche <folder>    the same clean with no line for a deleted file or folder
//   tesvarin_bench mazani <folder>           a bare loop deleting what the clean deletes
//   tesvarin_bench mazani_vypis <folder>     the logged floor: the bare loop on a worker thread,
//                                            with one synchronous LB_ADDSTRING per deletion the
//                                            clean logs into a list box of the user-interface
//                                            thread, its redrawing off
//   tesvarin_bench nahled <folder>           the clean's preview through the real runner and log list box
//   tesvarin_bench vypis <folder>            the preview's floor: a bare listing loop of the whole tree on
//                                            a worker thread, with one synchronous LB_ADDSTRING per
//                                            line the preview writes for a match
//   tesvarin_bench zaloha <folder> <target>  the backup through the real runner (verification included)
//   tesvarin_bench kopie <folder> <target>   a bare FO_COPY with the backup's flags
// Prints one line of key=value figures; seconds are measured inside the process.
#include <windows.h>
#include <shellapi.h>
#include <process.h>
#include <cstdio>
#include <cwchar>
#include <string>
#include "engine/mazani.h"
#include "engine/shoda.h"
#include "engine/vycet.h"
#include "engine/vypis_texty.h"
#include "frame/aplikace.h"
#include "frame/hlavni_okno.h"
#include "res/resource.h"
#include "tests/podpora/podpora.h"
#include "ui/dlg_hlavni.h"
#include "ui/nastaveni.h"
#include "ui/seznamy_mazani.h"

namespace {

double ted()
{
  static LARGE_INTEGER f{};
  if (!f.QuadPart) QueryPerformanceFrequency(&f);
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// An application whose boxes never wait for anyone: they go to the output.
class aplikace_mereni final : public aplikace {
public:
  int zprava(const wchar_t* text, UINT) override
  {
    std::fwprintf(stderr, L"box: %ls\n", text);
    return IDOK;
  }
};

// --- What the log list box and the dialog do while an operation runs.

struct sledovani {
  long kresleni = 0;          // WM_PAINT of the log list box
  double kresleni_cas = 0;    // time the list box spent on all but adding lines
  double pridani_cas = 0;     // time it spent adding lines
  long radku = 0;             // lines added
  double ceka_od = 0;         // arrival of the oldest line not yet painted (0: none)
  double nejdelsi_cekani = 0; // longest time from a line's arrival to the paint showing it
  double nejdelsi_odezva = 0; // longest answer of the dialog to a sent message
  volatile bool konec = false;
  HWND dialog = nullptr;
} g_s;

// Chained in front of the list box's window procedure: a subclass of the common controls
// would add a window-property lookup, a server round trip under Wine, to every line.
WNDPROC g_puvodni = nullptr;

LRESULT CALLBACK pocitadlo(HWND okno, UINT zprava, WPARAM wparam, LPARAM lparam)
{
  if (zprava == LB_ADDSTRING) {
    ++g_s.radku;
    if (g_s.ceka_od == 0) g_s.ceka_od = ted();
  } else if (zprava == WM_PAINT) {
    ++g_s.kresleni;
    if (g_s.ceka_od != 0) {
      const double cekani = ted() - g_s.ceka_od;
      if (cekani > g_s.nejdelsi_cekani) g_s.nejdelsi_cekani = cekani;
      g_s.ceka_od = 0;
    }
  }
  // The list box's own time: adding lines, and everything else (painting, scrolling).
  const double od = ted();
  const LRESULT r = CallWindowProcW(g_puvodni, okno, zprava, wparam, lparam);
  (zprava == LB_ADDSTRING ? g_s.pridani_cas : g_s.kresleni_cas) += ted() - od;
  return r;
}

// Another thread asks the dialog something every 10 ms and times the answer.
unsigned __stdcall sonda(void*)
{
  while (!g_s.konec) {
    const double t = ted();
    DWORD_PTR r = 0;
    SendMessageTimeoutW(g_s.dialog, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &r);
    const double odezva = ted() - t;
    if (odezva > g_s.nejdelsi_odezva) g_s.nejdelsi_odezva = odezva;
    Sleep(10);
  }
  return 0;
}

int pres_okno(int tlacitko, const std::wstring& zdroj, const std::wstring& cil, bool tiche = false)
{
  g_aplikace.nastav(new aplikace_mereni);
  test::vytvor_okno_aplikace(zdroj, cil);
  if (tiche) g_nastaveni->vypis = 0;
  dlg_hlavni* d = g_hlavni_okno->hlavni_dialog.get();
  g_s.dialog = d->hwnd;
  g_puvodni = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(d->lb_vypis, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pocitadlo)));
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
  UpdateWindow(g_hlavni_okno->hwnd);

  HANDLE sonda_h = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, sonda, nullptr, 0, nullptr));
  const double start = ted();
  if (tlacitko == IDM_NAHLED_CISTENI)
    SendMessageW(d->hwnd, WM_COMMAND, IDM_NAHLED_CISTENI, 0); // as the log's menu sends it
  else
    SendMessageW(GetDlgItem(d->hwnd, tlacitko), BM_CLICK, 0, 0);
  HANDLE vlakno = nullptr;
  DuplicateHandle(GetCurrentProcess(), d->vlakno, GetCurrentProcess(), &vlakno, SYNCHRONIZE, FALSE, 0);
  for (;;) {
    DWORD w = MsgWaitForMultipleObjects(1, &vlakno, FALSE, INFINITE, QS_ALLINPUT);
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    if (w == WAIT_OBJECT_0) break;
  }
  const double trvani = ted() - start;
  g_s.konec = true;
  WaitForSingleObject(sonda_h, INFINITE);
  CloseHandle(sonda_h);
  CloseHandle(vlakno);

  // The end state: redrawing on, nothing left unpainted, the newest line in view.
  HWND lb = d->lb_vypis;
  RECT r{}, klient{}, posledni{};
  const bool nenamalovano = GetUpdateRect(lb, &r, FALSE) != FALSE;
  LRESULT pocet = SendMessageW(lb, LB_GETCOUNT, 0, 0);
  GetClientRect(lb, &klient);
  SendMessageW(lb, LB_GETITEMRECT, static_cast<WPARAM>(pocet - 1), reinterpret_cast<LPARAM>(&posledni));
  const bool videt = posledni.bottom <= klient.bottom && posledni.top >= klient.top;
  std::wstring posledni_text(static_cast<size_t>(SendMessageW(lb, LB_GETTEXTLEN, pocet - 1, 0)) + 1, L'\0');
  posledni_text.resize(static_cast<size_t>(SendMessageW(lb, LB_GETTEXT, pocet - 1, reinterpret_cast<LPARAM>(posledni_text.data()))));

  std::wprintf(L"cas=%.3f radku=%ld kresleni=%ld kresleni_za_s=%.1f kresleni_s=%.3f pridani_s=%.3f nejdelsi_cekani_ms=%.0f nejdelsi_odezva_ms=%.0f "
               L"viditelne=%d nenamalovano=%d\n",
               trvani, g_s.radku, g_s.kresleni, g_s.kresleni / trvani, g_s.kresleni_cas, g_s.pridani_cas, g_s.nejdelsi_cekani * 1000,
               g_s.nejdelsi_odezva * 1000, IsWindowVisible(lb) && videt ? 1 : 0, nenamalovano ? 1 : 0);
  std::fwprintf(stderr, L"lines in the log: %ld, last: %ls\n", static_cast<long>(pocet), posledni_text.c_str());
  std::fflush(stdout);
  g_hlavni_okno.zrus();
  g_seznamy.zrus();
  g_nastaveni.zrus();
  UnregisterClassW(TRIDA_OKNA, instance);
  g_aplikace.zrus();
  return 0;
}

// --- Bare platform calls.

void smaz_vse(const std::wstring& slozka)
{
  WIN32_FIND_DATAW p;
  HANDLE h = FindFirstFileW((slozka + L"\\*").c_str(), &p);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (!std::wcscmp(p.cFileName, L".") || !std::wcscmp(p.cFileName, L"..")) continue;
    const std::wstring c = slozka + L"\\" + p.cFileName;
    if (p.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      smaz_vse(c);
      RemoveDirectoryW(c.c_str());
    } else {
      DeleteFileW(c.c_str());
    }
  } while (FindNextFileW(h, &p));
  FindClose(h);
}

// The list box of the logged floor; no line is sent without one.
HWND g_vypis = nullptr;

void zapis(const std::wstring& radek)
{
  if (g_vypis) SendMessageW(g_vypis, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(radek.c_str()));
}

void cisti(const std::wstring& slozka, const seznamy_mazani& s)
{
  WIN32_FIND_DATAW p;
  HANDLE h = FindFirstFileW((slozka + L"\\*").c_str(), &p);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (p.cFileName[0] == L'.') continue;
    const std::wstring c = slozka + L"\\" + p.cFileName;
    if (p.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (slozka_odpovida(s.slozky, p.cFileName)) {
        smaz_vse(c);
        if (RemoveDirectoryW(c.c_str())) zapis(radek_slozka_smazana(c));
      } else {
        cisti(c, s);
      }
    } else if (soubor_odpovida(s.soubory, p.cFileName)) {
      if (DeleteFileW(c.c_str())) zapis(radek_soubor_smazan(c));
    }
  } while (FindNextFileW(h, &p));
  FindClose(h);
}

// The preview's floor: every folder listed, a matched one to its end too (its files and
// their size go into its line), and a line for each match that the preview names.
void projdi_vypis(const std::wstring& slozka, const seznamy_mazani& s, obsah_stromu* obsah)
{
  WIN32_FIND_DATAW p;
  HANDLE h = FindFirstFileW((slozka + L"\\*").c_str(), &p);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (!std::wcscmp(p.cFileName, L".") || !std::wcscmp(p.cFileName, L"..")) continue;
    if (!obsah && p.cFileName[0] == L'.') continue;
    const std::wstring c = slozka + L"\\" + p.cFileName;
    if (p.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (!obsah && slozka_odpovida(s.slozky, p.cFileName)) {
        obsah_stromu o;
        projdi_vypis(c, s, &o);
        zapis(radek_slozka_smazana(c, true) + obsah_slozky(o.souboru, o.bajtu));
      } else {
        projdi_vypis(c, s, obsah);
      }
    } else if (obsah) {
      ++obsah->souboru;
      obsah->bajtu += velikost_polozky(p);
    } else if (soubor_odpovida(s.soubory, p.cFileName)) {
      zapis(radek_soubor_smazan(c, true));
    }
  } while (FindNextFileW(h, &p));
  FindClose(h);
}

struct zadani_mazani {
  std::wstring zdroj;
  seznamy_mazani seznamy{seznamy_mazani::bez_nacteni{}};
};

unsigned __stdcall vlakno_mazani(void* zadani)
{
  auto* z = static_cast<zadani_mazani*>(zadani);
  cisti(z->zdroj, z->seznamy);
  return 0;
}

unsigned __stdcall vlakno_vypisu(void* zadani)
{
  auto* z = static_cast<zadani_mazani*>(zadani);
  projdi_vypis(z->zdroj, z->seznamy, nullptr);
  return 0;
}

// The logged floor: the bare loop on a worker, each logged deletion's line sent to a list
// box that this thread owns and pumps for, as the runner's log is fed.
void mazani_s_vypisem(zadani_mazani& z, unsigned(__stdcall* procedura)(void*))
{
  g_vypis = CreateWindowExW(0, L"LISTBOX", L"", WS_OVERLAPPEDWINDOW | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 600, 300,
                            nullptr, nullptr, instance, nullptr);
  ShowWindow(g_vypis, SW_SHOWNOACTIVATE);
  UpdateWindow(g_vypis);
  SendMessageW(g_vypis, WM_SETREDRAW, FALSE, 0);
  HANDLE vlakno = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, procedura, &z, 0, nullptr));
  MSG m;
  for (;;) {
    const DWORD w = MsgWaitForMultipleObjects(1, &vlakno, FALSE, INFINITE, QS_ALLINPUT);
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    if (w == WAIT_OBJECT_0) break;
  }
  CloseHandle(vlakno);
  std::wprintf(L"radku=%ld ", static_cast<long>(SendMessageW(g_vypis, LB_GETCOUNT, 0, 0)));
  DestroyWindow(g_vypis);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
  instance = GetModuleHandleW(nullptr);
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: tesvarin_bench cisteni|cisteni_tiche|mazani|mazani_vypis|nahled|vypis|zaloha|kopie <folder> [target]\n");
    return 2;
  }
  const std::wstring rezim = argv[1], zdroj = argv[2], cil = argc > 3 ? argv[3] : L"";
  if (rezim == L"cisteni") return pres_okno(IDC_VYCISTIT, zdroj, cil);
  if (rezim == L"cisteni_tiche") return pres_okno(IDC_VYCISTIT, zdroj, cil, true);
  if (rezim == L"nahled") return pres_okno(IDM_NAHLED_CISTENI, zdroj, cil);
  if (rezim == L"zaloha") return pres_okno(IDC_ZALOHOVAT, zdroj, cil);
  const double start = ted();
  if (rezim == L"mazani" || rezim == L"mazani_vypis" || rezim == L"vypis") {
    zadani_mazani z{zdroj};
    z.seznamy.vychozi_soubory();
    z.seznamy.vychozi_slozky();
    if (rezim == L"mazani") cisti(z.zdroj, z.seznamy);
    else mazani_s_vypisem(z, rezim == L"vypis" ? vlakno_vypisu : vlakno_mazani);
  } else if (rezim == L"kopie") {
    const std::wstring odkud = zdroj + L"\\*.*" + L'\0', kam = cil + L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_COPY;
    op.pFrom = odkud.c_str();
    op.pTo = kam.c_str();
    op.fFlags = FOF_NOCONFIRMMKDIR | FOF_ALLOWUNDO | FOF_NOCONFIRMATION;
    std::wprintf(L"vysledek=%d ", SHFileOperationW(&op));
  } else {
    return 2;
  }
  std::wprintf(L"cas=%.3f\n", ted() - start);
  return 0;
}
