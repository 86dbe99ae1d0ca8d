#include "engine/vypis_texty.h"

namespace {
std::wstring v_uvozovkach(const std::wstring& cesta) { return L"\"" + cesta + L"\""; }
} // namespace

std::wstring radek_slozka_smazana(const std::wstring& cesta, bool nahled)
{
  return L"Složka " + v_uvozovkach(cesta) + (nahled ? L" by byla" : L" byla") + L" vymazána podle nastavení";
}

std::wstring radek_soubor_smazan(const std::wstring& cesta, bool nahled)
{
  return L"Soubor " + v_uvozovkach(cesta) + (nahled ? L" by byl" : L" byl") + L" vymazán podle nastavení";
}

namespace {
// "Nepodařilo se X" as a condition: "Nepodařilo by se X".
std::wstring podminene(const std::wstring& text)
{
  static const std::wstring zacatek = L"Nepodařilo se ";
  if (text.compare(0, zacatek.size(), zacatek) != 0) return text;
  return L"Nepodařilo by se " + text.substr(zacatek.size());
}
} // namespace

std::wstring radek_selhani(const std::wstring& text, const std::wstring& cesta, bool nahled)
{
  return (nahled ? podminene(text) : text) + L" " + v_uvozovkach(cesta);
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

std::wstring radek_pocet_chyb(LONG pocet, bool nahled)
{
  const std::wstring text = L"Nepodařilo se odstranit " + std::to_wstring(pocet) + L" objektů";
  return L"!! " + (nahled ? podminene(text) : text) + L" !!";
}

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

std::wstring radek_kopie_vracena(const std::wstring& kopie, const std::wstring& slozka)
{
  return L"Původní kopie " + kopie + L" byla vrácena na své místo ze složky " + slozka + L", kde ji nechala přerušená záloha.";
}

std::wstring radek_kopie_nevracena(const std::wstring& kopie, const std::wstring& slozka, const std::wstring& proc)
{
  return L"Původní kopii " + kopie + L" se nepodařilo vrátit na své místo ze složky " + slozka + L": " + proc;
}

std::wstring radek_stary_cil_chraneny(const std::wstring& cil)
{
  return L"Složka " + cil +
         L" je vlastní složkou Windows nebo uživatele, nebo takovou složku obsahuje, a nebude odstraněna. Nic nebylo "
         L"zkopírováno ani smazáno.";
}

std::wstring radek_cesta_dlouha(const std::wstring& cesta, size_t delka)
{
  return L"Cesta " + v_uvozovkach(cesta) + L" je pro kopírování příliš dlouhá (" + std::to_wstring(delka) +
         L" znaků, nejvýše " + std::to_wstring(MAX_PATH - 1) + L"). Nic nebylo zkopírováno.";
}

std::wstring text_cisla(unsigned long long n)
{
  std::wstring cislice = std::to_wstring(n), text;
  for (size_t i = 0; i < cislice.size(); ++i) {
    if (i > 0 && (cislice.size() - i) % 3 == 0) text += L'\u00A0';
    text += cislice[i];
  }
  return text;
}

namespace {
// The form for 1, for 2 to 4, and for the rest (0, 5 and more).
const wchar_t* tvar(unsigned long long n, const wchar_t* jeden, const wchar_t* dva_az_ctyri, const wchar_t* jinak)
{
  return n == 1 ? jeden : n >= 2 && n <= 4 ? dva_az_ctyri : jinak;
}
} // namespace

std::wstring text_velikosti(unsigned long long bajtu)
{
  if (bajtu < 1024) return text_cisla(bajtu) + L" " + tvar(bajtu, L"bajt", L"bajty", L"bajtů");
  static const wchar_t* const jednotky[] = {L"KB", L"MB", L"GB"};
  unsigned long long jednotka = 1024;
  size_t j = 0;
  while (j + 1 < 3 && bajtu / jednotka >= 1024) {
    jednotka *= 1024;
    ++j;
  }
  // Tenths, cut off (the remainder is below 2^30: ten times it cannot overflow).
  const unsigned long long cele = bajtu / jednotka, desetiny = bajtu % jednotka * 10 / jednotka;
  return text_cisla(cele) + L"," + std::to_wstring(desetiny) + L" " + jednotky[j];
}

std::wstring pocet_souboru(unsigned long long n) { return text_cisla(n) + L" " + tvar(n, L"soubor", L"soubory", L"souborů"); }

std::wstring pocet_slozek(unsigned long long n, bool po_slovesu)
{
  return text_cisla(n) + L" " + tvar(n, po_slovesu ? L"složku" : L"složka", L"složky", L"složek");
}

std::wstring radek_nahled_spusten(const std::wstring& slozka)
{
  return L"Náhled čištění složky " + v_uvozovkach(slozka) + L" (nic nebude smazáno)";
}

std::wstring obsah_slozky(unsigned long long souboru, unsigned long long bajtu)
{
  return L" (" + pocet_souboru(souboru) + L", " + text_velikosti(bajtu) + L")";
}

std::wstring radek_nahled_souhrn(unsigned long long souboru, unsigned long long slozek, unsigned long long bajtu)
{
  return L"Náhled: vyčištění by odstranilo " + pocet_souboru(souboru) + L" a " + pocet_slozek(slozek, true) +
         L", celkem " + text_velikosti(bajtu) + L". Nic nebylo smazáno.";
}

std::wstring zprava_vypis_neulozen(const std::wstring& soubor)
{
  return L"Výpis se nepodařilo uložit do souboru " + v_uvozovkach(soubor) + L".";
}
