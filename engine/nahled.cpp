#include "engine/nahled.h"

#include "engine/mazani.h"
#include "engine/vycet.h"
#include "engine/vypis_texty.h"

namespace {

// What the preview does with the walk's decisions: counts and describes.
class nahled final : public cinnost_cisteni {
public:
  nahled(radky_cisteni radky, const texty_selhani& texty, prijemce_radku& vystup)
      : radky_(radky), texty_(texty), vystup_(vystup)
  {
  }

  void odstran(akce a, const WIN32_FIND_DATAW& p, const std::wstring& cesta, const misto& kde,
               std::wstring&& zobrazena) override
  {
    if (!je_slozka_polozka(p)) {
      ++souboru_;
      bajtu_ += velikost_polozky(p);
      if (radky_.soubory) vystup_.radek(radek_soubor_smazan(zobrazena, true));
      return;
    }
    // A folder's tree is walked as its delete would walk it; a link goes as itself alone.
    obsah_stromu o;
    if (a == akce::smazat && spocitej_strom(cesta, kde, p.dwFileAttributes, o) != S_OK) {
      selhani(texty_.slozka, zobrazena);
      return;
    }
    ++slozek_;
    souboru_ += o.souboru;
    bajtu_ += o.bajtu;
    if (radky_.slozky) vystup_.radek(radek_slozka_smazana(zobrazena, true) + obsah_slozky(o.souboru, o.bajtu));
  }

  void selhani(const std::wstring& text, const std::wstring& zobrazena) override
  {
    ++chyb_;
    vystup_.radek(radek_selhani(text, zobrazena, true));
  }

  void souhrn()
  {
    if (chyb_ > 0) vystup_.radek(radek_pocet_chyb(chyb_, true));
    vystup_.radek(radek_nahled_souhrn(souboru_, slozek_, bajtu_));
  }

private:
  radky_cisteni radky_;
  const texty_selhani& texty_;
  prijemce_radku& vystup_;
  unsigned long long souboru_ = 0, slozek_ = 0, bajtu_ = 0;
  LONG chyb_ = 0;
};

} // namespace

HRESULT nahled_cisteni(const zadani_cisteni& zadani, okno_operace& okno)
{
  okno.vymaz_vypis();
  const std::wstring zdroj = zdroj_cisteni(zadani.zdroj, okno);
  if (zdroj.empty()) return E_INVALIDARG;
  okno.radek(radek_nahled_spusten(zdroj));
  const texty_selhani texty;
  nahled n(zadani.radky, texty, okno);
  projdi_cisteni(zdroj, {zadani.soubory, zadani.slozky}, texty, n, okno);
  n.souhrn();
  return S_OK;
}
