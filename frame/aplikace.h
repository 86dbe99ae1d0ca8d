#pragma once
// The application object, its class chain and the process-wide singletons.
#include <windows.h>
#include "frame/jedinacek.h"

namespace kestrum {

class aplikace_zaklad {};

// Application of a GUI executable: owns the icons and the GDI+ start-up, offers the
// message boxes and the name. No virtual destructor: always destroyed as its most
// derived type (see jedinacek).
class aplikace_exe : public aplikace_zaklad {
public:
  HICON ikona_velka = nullptr;
  HICON ikona_mala = nullptr;
  ULONG_PTR gdiplus_token = 0;

  aplikace_exe() = default;
  aplikace_exe(const aplikace_exe&) = delete;
  aplikace_exe& operator=(const aplikace_exe&) = delete;
  ~aplikace_exe() { uvolni(); }

  // Virtual slots, in this order.
  virtual const wchar_t* nazev();
  // Yes/No/Cancel question; false only for Yes.
  virtual bool dotaz(const wchar_t* text, bool ano_vychozi, bool varovani, HWND vlastnik);
  virtual void zprava_ansi(const char* text, UINT priznaky);
  virtual int zprava(const wchar_t* text, UINT priznaky);

  // Windows event log.
  HRESULT zapis_udalost(const wchar_t* text);
  HRESULT zapis_chybu(const wchar_t* text);
  HRESULT zapis_hresult(HRESULT hr);

  void nacti_ikony();
  void spust_gdiplus();
  // Releases the icons and GDI+; safe to call twice.
  void uvolni();
};

} // namespace kestrum

class aplikace : public kestrum::aplikace_exe {
public:
  const wchar_t* nazev() override;

  // Runs the whole program; returns the exit code.
  int spust();
  void registruj_tridu();
  // Opens the maker's web page.
  HRESULT otevri_web();
};

// The maker's web page, e-mail address and copyright notice (from frame/vyrobce.h).
extern const wchar_t* const WEB_VYROBCE;
extern const wchar_t* const EMAIL_VYROBCE;
extern const wchar_t* const COPYRIGHT_VYROBCE;
// The host window class.
extern const wchar_t* const TRIDA_OKNA;

class nastaveni;
class seznamy_mazani;
class hlavni_okno;
class dlg_nastaveni;
class dlg_program_info;

// The module instance handle, written first by the entry point.
extern HINSTANCE instance;

extern kestrum::jedinacek<aplikace> g_aplikace;
extern kestrum::jedinacek<nastaveni> g_nastaveni;
extern kestrum::jedinacek<seznamy_mazani> g_seznamy;
extern kestrum::jedinacek<hlavni_okno> g_hlavni_okno;
extern kestrum::jedinacek<dlg_nastaveni> g_dlg_nastaveni;
extern kestrum::jedinacek<dlg_program_info> g_dlg_info;

// The application object; ends the process through fatalni_handle when there is none.
aplikace& app();
// The settings record and the cleaning lists; missing ones end the process through
// fatalni_argument.
nastaveni& nast();
seznamy_mazani& seznamy();
