#pragma once
// The new folder's name: the source name, the date suffix and the path it gets, the
// temporary names beside it; and the operations' clock. No disk is touched.
#include <windows.h>
#include <string>
#include <string_view>

// Whole seconds between two readings of the low 32 bits of the millisecond tick count. The
// difference is taken modulo 2^32, so a counter that wrapped in between still gives the
// right answer; the remainder is dropped (999 ms give 0 s).
unsigned sekundy_mezi(DWORD start, DWORD ted);

// The source name: what follows the last backslash. 0 on success; 1 when the path has at
// most three characters (a drive root or shorter), holds no backslash, or ends with one.
int nazev_slozky(const std::wstring& zdroj, std::wstring& nazev);

// Whether a source name can stand as the last component of the new folder's path: not "."
// or "..", no character that is not allowed in a name (a slash would nest the copy), and no
// trailing dot or blank (Windows drops those, so the name would not be the one checked).
bool nazev_pouzitelny(const std::wstring& nazev);

// The date as day.month.year without leading zeros: 6.12.2026.
std::wstring text_data(const SYSTEMTIME& cas);
// The time part of date-format code 1 to 5, with its leading blank; empty for 1 and for
// any unknown code.
std::wstring cast_casu(const SYSTEMTIME& cas, LONG format);
// The whole suffix: a blank, the date and the time part (" 6.12.2026 7h 5m").
std::wstring pripona_data(const SYSTEMTIME& cas, LONG format);

// The new folder's name: the source name, and the date suffix when `pridat_datum`.
std::wstring nazev_kopie(const std::wstring& nazev, bool pridat_datum, LONG format, const SYSTEMTIME& cas);
// The target path: the location less all its trailing backslashes, one backslash, the new
// folder's name (D:\ and app give D:\app).
std::wstring cilova_cesta(std::wstring umisteni, const std::wstring& nazev_kopie);

// Whether `nazev` is a name the backup could give a copy of the source named `zdroj`: the
// source name alone, or followed by a date suffix in one of the five formats (letter case
// aside, as the file system compares names). "app 2" and "app notes" are other sources'.
bool je_nazev_kopie(std::wstring_view zdroj, std::wstring_view nazev);
