#pragma once
// Folder path edits. For now a plain subclassed EDIT that shows the path as its text.
#include <string>
#include "frame/okno.h"

namespace kestrum {

class edit_cesta : public ovl_prvek_impl<okno> {
public:
  ~edit_cesta() { edit_cesta::odpoj(); }
  void odpoj() override;
};

class edit_slozka final : public edit_cesta {
public:
  LRESULT zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM lparam) override;

  // Binds to control `prvek` and shows `cesta`.
  void pripoj(HWND prvek, const std::wstring& cesta);
  // Sets the text; S_OK.
  HRESULT nastav_cestu(const std::wstring& cesta);
  // Reads the text into `cesta`; S_OK when it names an existing folder, S_FALSE otherwise.
  HRESULT cti_cestu(std::wstring& cesta) const;
};

} // namespace kestrum
