#pragma once
// The maker's small window and dialog classes: an object bound to its window, messages
// reaching virtual handlers, modal and modeless dialogs, subclassed controls.
#include <windows.h>
#include <memory>
#include <string>

namespace kestrum {

// The whole text of a window, read with sent messages, so that another thread may read it
// too (the window's own thread answers). A window that does not exist ends the process.
std::wstring text_okna(HWND okno);

class okno {
public:
  HWND hwnd = nullptr;

  // What code that runs a nested message loop (a modal dialog, a folder dialog) holds on
  // to: expired once the object is gone, as it is when the window closes or the session
  // ends inside that loop. Such code touches the object only while this has not expired.
  std::weak_ptr<const void> hlidac() const { return zivot_; }

private:
  std::shared_ptr<const int> zivot_ = std::make_shared<const int>(0);
};

class dialog : public okno {};

class dialog_impl : public dialog {
public:
  dialog_impl() = default;
  dialog_impl(const dialog_impl&) = delete;
  dialog_impl& operator=(const dialog_impl&) = delete;
  // Destroys a window that still lives.
  ~dialog_impl();

  // Slot 0: every message except WM_INITDIALOG.
  virtual INT_PTR zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM lparam);
  // Slot 1: WM_INITDIALOG.
  virtual INT_PTR inicializuj(WPARAM wparam);

  INT_PTR zobraz_modalne(WORD id_sablony, HWND vlastnik);
};

// The one dialog procedure of every dialog of the program.
INT_PTR CALLBACK procedura_dialogu(HWND okno, UINT zprava, WPARAM wparam, LPARAM lparam);
// The one window procedure of every subclassed control.
LRESULT CALLBACK procedura_prvku(HWND okno, UINT zprava, WPARAM wparam, LPARAM lparam);

template <class Zaklad> class ovl_prvek_impl;

template <> class ovl_prvek_impl<okno> : public okno {
public:
  WNDPROC puvodni_procedura = nullptr;

  ovl_prvek_impl() = default;
  ovl_prvek_impl(const ovl_prvek_impl&) = delete;
  ovl_prvek_impl& operator=(const ovl_prvek_impl&) = delete;
  ~ovl_prvek_impl() { ovl_prvek_impl::odpoj(); }

  // Slot 0: undoes the subclassing.
  virtual void odpoj();
  // Slot 1: every message of the control; the base passes it on.
  virtual LRESULT zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM lparam);

  void pripoj(HWND prvek);
};

} // namespace kestrum
