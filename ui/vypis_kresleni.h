#pragma once
// Painting of the log list box while a worker thread writes into it. A list box repaints
// itself for every added line, which costs far more than the work being logged; so while
// lines arrive from another thread its redrawing is suspended and it is painted once their
// first has waited a period, each time scrolled to its newest line first. The period is
// KRESLENI_PODIL times what the last paint took, within PERIODA_NEJKRATSI and
// PERIODA_NEJDELSI: painting takes about a twentieth of the time, yet the log moves at
// least four times a second. Every line still stands in the list when the worker's
// LB_ADDSTRING returns.
//
// The list box is subclassed through its window procedure (kestrum::ovl_prvek_impl), not
// through the common controls' subclass chain: that chain looks up a window property for
// every message, and under Wine each lookup is a round trip to the server, paid on every
// logged line.
#include <windows.h>
#include "frame/okno.h"

constexpr DWORD PERIODA_NEJKRATSI = 100;
constexpr DWORD PERIODA_NEJDELSI = 200;
constexpr DWORD KRESLENI_PODIL = 19;

// The wait before the next paint, after one that took `trvani_ms`.
constexpr DWORD perioda_kresleni(DWORD trvani_ms)
{
  const DWORD p = trvani_ms < PERIODA_NEJDELSI ? trvani_ms * KRESLENI_PODIL : PERIODA_NEJDELSI;
  return p < PERIODA_NEJKRATSI ? PERIODA_NEJKRATSI : p > PERIODA_NEJDELSI ? PERIODA_NEJDELSI : p;
}
// Sent by the worker before its end: paint what is pending now.
constexpr UINT WM_DOKRESLI_VYPIS = WM_APP + 2004;

class vypis_davkove final : public kestrum::ovl_prvek_impl<kestrum::okno> {
public:
  vypis_davkove() = default;
  ~vypis_davkove() { vypis_davkove::odpoj(); }

  // Turns batched painting on for a list box; on its own thread, once or again.
  void zapni(HWND seznam);
  // Whether lines added from the calling thread are painted in batches (so the caller need
  // not scroll to each line itself).
  bool davkove() const { return hwnd && GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId(); }
  // Paints the pending lines now, scrolled to the newest; from any thread.
  void dokresli() const;

  void odpoj() override;
  LRESULT zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM lparam) override;

private:
  // Redrawing back on, scrolled to the newest line, painted at once.
  void vykresli();

  bool pozastaveno_ = false; // redrawing is off and lines wait to be painted
  DWORD od_ = 0;             // tick count when it was turned off
  DWORD perioda_ = PERIODA_NEJKRATSI;
};
