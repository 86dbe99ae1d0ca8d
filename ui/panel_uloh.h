#pragma once
// The main window's taskbar button tells what the operations do: busy while one runs, red
// after one failed until the window is activated, and a flash when one ends while the user
// looks elsewhere. Nothing of it is needed: where the shell has no taskbar, or no interface
// for it, the button stays as it is and nobody is told.
#include <windows.h>
#include <shobjidl.h>
#include "frame/vlastnici.h"

// The button after an operation: its state and whether it flashes (pure).
struct konec_na_panelu {
  TBPFLAG stav;
  bool blikat;
};
// `nezdaru`: objects the operation failed to delete; `zastavena`: it stopped with an error
// (it showed an error box, or its copy failed); `v_popredi`: the window is in the foreground.
konec_na_panelu po_operaci(LONG nezdaru, bool zastavena, bool v_popredi);

// What the taskbar room asks of the shell, on the user-interface thread only.
class tlacitko_uloh {
public:
  // The button of `okno` has been created (again, after the shell restarted).
  virtual void pripoj(HWND okno) = 0;
  virtual void stav(TBPFLAG s) = 0;
  // Flashes the button until the window comes to the foreground.
  virtual void blikej() = 0;
  // The user works in the window, or in a window it owns.
  virtual bool v_popredi() = 0;

protected:
  ~tlacitko_uloh() = default;
};

// The shell's own: ITaskbarList3, FlashWindowEx, the foreground window.
class tlacitko_shellu final : public tlacitko_uloh {
public:
  void pripoj(HWND okno) override;
  void stav(TBPFLAG s) override;
  void blikej() override;
  bool v_popredi() override;

private:
  HWND okno_ = nullptr;
  kestrum::rozhrani_com<ITaskbarList3> seznam_; // none where the shell offers none
};

// The button through the life of the operations. The start and end notices of the
// dialog, the button's creation and the window's activation drive it.
class panel_uloh {
public:
  // Where the calls go: the shell, unless a stand-in has been put here.
  tlacitko_uloh* tlacitko = &shell_;
  // The running operation stopped with an error. Written by its worker between the start
  // and the end notice, which order the accesses.
  bool zastavena = false;

  // The registered message "TaskbarButtonCreated" reached `okno`.
  void tlacitko_vytvoreno(HWND okno);
  // A start or end notice: `bezi` while an operation runs; `pocet_chyb` as it stands.
  void beh(bool bezi, LONG pocet_chyb);
  // The window has been activated: the red of a failure has been seen.
  void aktivace();

private:
  void nastav(TBPFLAG s);

  tlacitko_shellu shell_;
  bool pripojeno_ = false; // the button exists: before that nothing is called
  bool bezi_ = false;
  TBPFLAG stav_ = TBPF_NOPROGRESS;
  LONG chyb_na_zacatku_ = 0; // a backup alone leaves the count of an earlier clean
};

// The registered message by which the shell announces the button; 0 when it has none.
UINT zprava_tlacitka_uloh();
