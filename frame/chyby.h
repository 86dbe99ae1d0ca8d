#pragma once
// The single error policy: fatal helpers, HRESULT texts, the terminate and
// invalid-parameter handlers, string-table texts.
#include <windows.h>
#include <cstdint>
#include <string>

[[noreturn]] void fatalni_hresult(HRESULT hr);
[[noreturn]] void fatalni_posledni_chyba();
[[noreturn]] void fatalni_argument();
[[noreturn]] void fatalni_pamet();
[[noreturn]] void fatalni_handle();

// A Win32 error code as an HRESULT: e > 0 gives 0x8007xxxx (low 16 bits), a negative e is
// already an HRESULT, 0 gives `pri_nule`.
HRESULT hresult_z_win32(LONG e, HRESULT pri_nule);
// The HRESULT for GetLastError(), E_FAIL when it is 0.
HRESULT hresult_posledni_chyby();

// The system's text for an HRESULT: FormatMessageW without the trailing line break,
// "Unknown error 0x%0lX" or "IDispatch error #%d" when the system has none.
std::wstring systemovy_text(HRESULT hr);
// As above, but an application code (FACILITY_ITF, code >= 0x200) with a string-table
// entry of that id gives that entry.
std::wstring text_hresult(HRESULT hr);

// Loads string-table entry `id` into `cil` and returns its length; 0 (cil unchanged) when missing.
int nacti_text(UINT id, std::wstring& cil);
// The same, but a missing entry ends the process.
std::wstring nacti_text(UINT id);

// Handlers installed at start-up.
void obsluha_ukonceni();
void obsluha_parametru(const wchar_t* vyraz, const wchar_t* funkce, const wchar_t* soubor,
                       unsigned int radek, uintptr_t rezerva);

// Texts the handlers and the event log build (no side effects).
std::wstring text_ukonceni(DWORD posledni_chyba, const std::wstring& systemovy);
std::wstring text_parametru(const wchar_t* vyraz, const wchar_t* funkce, const wchar_t* soubor,
                            unsigned int radek);
std::wstring text_chyby_udalosti(const wchar_t* text);
