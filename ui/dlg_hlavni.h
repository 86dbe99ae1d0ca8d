#pragma once
// The main dialog (template 102): a modeless child of the host window. It also carries
// the state of a running operation.
#include <windows.h>
#include <string>
#include "engine/operace.h"
#include "frame/okno.h"
#include "ui/edit_slozka.h"
#include "ui/panel_uloh.h"
#include "ui/tooltipy.h"
#include "ui/vypis_kresleni.h"

// Sent by the worker thread at the start and at the end of an operation.
constexpr UINT WM_STAV_OPERACE = WM_APP + 2003;
// Sent by the worker when the copy starts: the dialog reads the copy's input.
constexpr UINT WM_ZADANI_ZALOHY = WM_APP + 2005;

class dlg_hlavni final : public kestrum::dialog_impl {
public:
  kestrum::edit_slozka edit_zdroj;
  kestrum::edit_slozka edit_cil;
  HWND lb_vypis = nullptr;
  vypis_davkove kresleni_vypisu; // the log's painting while a worker writes into it
  HWND lb_slozky = nullptr;
  HWND lb_soubory = nullptr;
  skupina_tooltipu tooltipy;
  DWORD cas_startu = 0;
  LONG pocet_chyb = 0;
  HANDLE vlakno = nullptr;
  // What the running operation works on, read from the dialog when its phase started.
  zadani_cisteni vstup_cisteni;
  zadani_zalohy vstup_zalohy;
  bool duvod_blokovani = false; // a reason to wait is registered for the end of the session
  panel_uloh panel; // the taskbar button of the host window

  dlg_hlavni() = default;
  // Teardown: the folder texts and the date check box go into the settings.
  ~dlg_hlavni();

  INT_PTR zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM lparam) override;
  INT_PTR inicializuj(WPARAM wparam) override;

  // WM_COMMAND of control or menu item `id` with notification code `oznameni`.
  void prikaz(WORD id, WORD oznameni);
  // Copies the two folder texts and check box 1017 into the settings record.
  void uloz_do_nastaveni();
  // Enables or disables the operation controls by `vlakno`.
  void povol_ovladani();
  // While an operation runs, the end of the session is held up with a reason of ours.
  void hlas_beh_pri_konci_relace();
  // A link's folder browsing: the chosen folder goes into `edit`.
  void prochazej(kestrum::edit_slozka& edit);
  // The drop-down of the split button "Nápověda" (menu 105).
  void nabidka_napovedy();

  // Cleaning list panel.
  void napln_soubory();
  void napln_slozky();
  void pridej_soubor();
  void pridej_slozku();
  void odeber_soubor();
  void odeber_slozku();
  void odstran_vse_soubory();
  void odstran_vse_slozky();
  void vychozi_soubory();
  void vychozi_slozky();
  // The preferences and the about box, one of each at a time.
  void ukaz_predvolby();
  void ukaz_o_aplikaci();

  // Operation runner.
  void prikaz_vycistit();
  void prikaz_kopirovat();
  void prikaz_vycistit_a_kopirovat();
  // The clean's preview, from the log's menu.
  void prikaz_nahled();
  void pridat_do_vypisu(const wchar_t* radek);
  void zacni_mereni();
  unsigned uplynulo_sekund() const;

  // The clean: 0 when the traversal ran, non-zero when it stopped at its source check.
  int vycistit();
  // Cleans below one folder (as the log shows it) with the running operation's lists;
  // failures are counted in `pocet_chyb`.
  void vycistit_slozku(const std::wstring& slozka);
  // The clean's preview: 0 when its walk ran.
  int nahled();
  // The backup.
  int kopirovat();
  // What the clean and the copy take from the edits, the settings and the lists, read into
  // `vstup_cisteni` and `vstup_zalohy`; on the user-interface thread.
  void nacti_zadani_cisteni();
  void nacti_zadani_zalohy();

  // The text of a folder edit as it stands now (safe from the worker thread).
  std::wstring text_editu(int id) const;
};

unsigned __stdcall vlakno_vycistit(void* dialog);
unsigned __stdcall vlakno_kopirovat(void* dialog);
unsigned __stdcall vlakno_vycistit_a_kopirovat(void* dialog);
unsigned __stdcall vlakno_nahled(void* dialog);
