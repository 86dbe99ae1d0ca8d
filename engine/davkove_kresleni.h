#pragma once
// Painting of the log list box while a worker thread writes into it. A list box repaints
// itself for every added line, which costs far more than the work being logged; so while
// lines arrive from another thread its redrawing is suspended and it is painted at most
// every PERIODA_KRESLENI milliseconds, each time scrolled to its newest line first. Every
// line still stands in the list when the worker's LB_ADDSTRING returns.
#include <windows.h>

constexpr UINT PERIODA_KRESLENI = 50;
// Sent by the worker before its end: paint what is pending now.
constexpr UINT WM_DOKRESLI_VYPIS = WM_APP + 2004;

// Turns batched painting on for a list box; on its own thread, once or again.
void zapni_davkove_kresleni(HWND seznam);
// Whether lines added from the calling thread are painted in batches (so the caller need
// not scroll to each line itself).
bool kresli_davkove(HWND seznam);
// Paints the pending lines now, scrolled to the newest; from any thread.
void dokresli_vypis(HWND seznam);
