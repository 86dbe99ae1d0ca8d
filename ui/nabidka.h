#pragma once
// The program's pop-up menus: the first pop-up of a menu resource, shown for a window.
#include <windows.h>
#include <functional>
#include "frame/okno.h"

// Shows the pop-up of menu resource `id` at screen point `bod` for `vlastnik`, after
// `priprav` (if any) has enabled or greyed its items. With TPM_RETURNCMD in `priznaky` the
// chosen command is returned (0: none) and nothing is sent; without it the command reaches
// `vlastnik` as WM_COMMAND and 0 is returned. 0 also when `vlastnik` closed meanwhile (the
// session ended while the menu was open).
UINT ukaz_nabidku(const kestrum::okno& vlastnik, UINT id, POINT bod, UINT priznaky,
                  const std::function<void(HMENU)>& priprav = {});
