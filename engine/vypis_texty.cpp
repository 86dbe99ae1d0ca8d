#include "engine/vypis_texty.h"

namespace {
std::wstring v_uvozovkach(const std::wstring& cesta) { return L"\"" + cesta + L"\""; }
} // namespace

std::wstring radek_slozka_smazana(const std::wstring& cesta)
{
  return L"Složka " + v_uvozovkach(cesta) + L" byla vymazána podle nastavení";
}

std::wstring radek_soubor_smazan(const std::wstring& cesta)
{
  return L"Soubor " + v_uvozovkach(cesta) + L" byl vymazán podle nastavení";
}

std::wstring radek_selhani(const std::wstring& text, const std::wstring& cesta)
{
  return text + L" " + v_uvozovkach(cesta);
}

std::wstring radek_cas_cisteni(unsigned sekundy)
{
  return L"Celkový čas čištění: " + std::to_wstring(static_cast<long>(sekundy)) + L" sekund";
}

std::wstring radek_cas(unsigned sekundy) { return L"Celkový čas: " + std::to_wstring(static_cast<long>(sekundy)) + L" sekund"; }

std::wstring radek_cas_zalohy(unsigned sekundy)
{
  return L"Celkový čas tesvarin: " + std::to_wstring(static_cast<long>(sekundy)) + L" sekund";
}

std::wstring radek_vzor_vynechan(const std::wstring& vzor)
{
  return L"Vzor " + v_uvozovkach(vzor) + L" ze seznamu souborů byl vynechán, protože by vymazal téměř všechny soubory";
}

std::wstring radek_pocet_chyb(LONG pocet) { return L"!! Nepodařilo se odstranit " + std::to_wstring(pocet) + L" objektů !!"; }

std::wstring radek_stary_cil_odstranen(const std::wstring& cesta) { return L"Původní složka " + cesta + L" byla odstraněna."; }

std::wstring radek_zacykleni(const std::wstring& odkaz)
{
  return L"Odkaz " + v_uvozovkach(odkaz) +
         L" vede do složky, kterou kopírování právě prochází, nebo do cíle zálohy: kopírování by se zacyklilo.";
}
std::wstring radek_opakovani(const std::wstring& odkaz)
{
  return L"Odkaz " + v_uvozovkach(odkaz) +
         L" vede do složky, kterou kopírování prochází i jinudy: kopie by ji obsahovala vícekrát.";
}

std::wstring radek_odkaz_nejasny(const std::wstring& odkaz)
{
  return L"Nepodařilo se zjistit, kam vede odkaz " + v_uvozovkach(odkaz) + L": kopírování nelze ověřit.";
}

std::wstring radek_chybejici_soubory(unsigned long long pocet)
{
  return L"Souborů, které v kopii chybí nebo se od zdroje liší: " + std::to_wstring(pocet);
}

std::wstring radek_stara_kopie_zustala(const std::wstring& cil) { return L"Původní složka " + cil + L" zůstala beze změny."; }

std::wstring radek_neuplna_kopie(const std::wstring& kopie, bool odstranena)
{
  return odstranena ? L"Neúplná kopie " + kopie + L" byla odstraněna."
                    : L"Neúplnou kopii " + kopie + L" se nepodařilo odstranit.";
}

std::wstring radek_nova_kopie_je_v(const std::wstring& kopie) { return L"Nová úplná kopie je ve složce " + kopie + L"."; }

std::wstring radek_zbytek_odstranen(const std::wstring& slozka)
{
  return L"Dočasná složka " + slozka + L" z dřívější zálohy byla odstraněna.";
}

std::wstring radek_zbytek_neodstranen(const std::wstring& slozka, const std::wstring& proc)
{
  return L"Dočasnou složku " + slozka + L" z dřívější zálohy se nepodařilo odstranit: " + proc;
}

std::wstring radek_cizi_slozka(const std::wstring& slozka)
{
  return L"Složka " + slozka +
         L" má název dočasné složky zálohy, ale nelze ověřit, že ji zanechala dřívější záloha: zůstala beze změny.";
}

std::wstring radek_stara_kopie_je_v(const std::wstring& slozka) { return L"Původní kopie je ve složce " + slozka + L"."; }

std::wstring zprava_vypis_neulozen(const std::wstring& soubor)
{
  return L"Výpis se nepodařilo uložit do souboru " + v_uvozovkach(soubor) + L".";
}
