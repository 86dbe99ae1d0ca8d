#pragma once
// The main dialog's controls that are disabled while an operation runs.
#include "res/resource.h"

namespace test {

inline constexpr int OVLADANI[] = {IDC_PREDVOLBY,        IDC_ZALOHOVAT,         IDC_VYCISTIT,       IDC_VYCISTIT_A_ZALOHOVAT,
                                   IDC_ODSTRANIT_SLOZKY, IDC_ODSTRANIT_SOUBORY, IDC_PRIDAT_SLOZKU,  IDC_PRIDAT_SOUBOR,
                                   IDC_ODEBRAT_SLOZKU,   IDC_ODEBRAT_SOUBOR,    IDC_PRIDAT_DATUM,   IDC_VYCHOZI_SLOZKY,
                                   IDC_VYCHOZI_SOUBORY,  IDC_ZDROJ,             IDC_CIL};

} // namespace test
