#include "engine/cisteni.h"

#include <cwchar>
#include <utility>
#include "engine/cesty.h"
#include "engine/mazani.h"
#include "engine/pruchod.h"
#include "engine/shoda.h"
#include "engine/soubory.h"
#include "engine/vycet.h"
#include "engine/vypis_texty.h"
#include "frame/chyby.h"
#include "res/resource.h"

namespace {

// What the walk keeps of each folder it enters.
struct uroven {
  std::wstring zobrazena; // as the log shows it
  misto tady;             // where it lies
};

} // namespace

texty_selhani::texty_selhani()
    : slozka(nacti_text(IDS_NEPODARILO_SLOZKU)), soubor(nacti_text(IDS_NEPODARILO_SOUBOR)),
      projit(nacti_text(IDS_NEPODARILO_PROJIT))
{
}

akce akce_cisteni(const WIN32_FIND_DATAW& p, bool odpovida, bool ma_cestu)
{
  const bool slozka = je_slozka_polozka(p);
  const akce a = slozka ? akce_slozky(p.dwFileAttributes, znacka(p), odpovida)
                        : akce_souboru(p.dwFileAttributes, znacka(p), odpovida);
  if (a == akce::nechat) return a;
  if (!ma_cestu) return akce::selhani; // too long even for the long-path calls
  if (!slozka && (p.dwFileAttributes & FILE_ATTRIBUTE_READONLY)) return akce::selhani;
  return a;
}

void projdi_cisteni(const std::wstring& slozka, const seznamy_cisteni& seznamy, const texty_selhani& texty,
                    cinnost_cisteni& c, prijemce_radku& vystup)
{
  for (const std::wstring& polozka : seznamy.soubory)
    if (vzor_pro_vse(polozka)) vystup.radek(radek_vzor_vynechan(polozka));
  // The folder as its listing pattern names it: the path, a backslash and "*".
  const std::wstring dlouha = slozka.empty() ? std::wstring() : dlouha_cesta(slozka + L"\\");
  pruchod<uroven> p;
  bool otevrena = false;
  if (!dlouha.empty()) {
    // The source folder itself may be a link: its entries are checked against its target.
    kestrum::handle_souboru h = otevri_slozku(bez_koncoveho_lomitka(dlouha));
    if (h.platny()) {
      uroven koren{slozka, misto_handle(h.get())};
      h.zavri();
      otevrena = SUCCEEDED(p.vstup(std::move(koren), dlouha));
    }
  }
  if (!otevrena) {
    c.selhani(texty.projit, slozka);
    return;
  }
  p.projdi(
      [&](uroven& u, const WIN32_FIND_DATAW& e, const std::wstring& cesta) {
        c.pred_polozkou();
        // Every name beginning with a dot: not deleted, not entered.
        if (skryta_polozka(e.cFileName)) return true;
        const bool je_slozka = je_slozka_polozka(e);
        const bool odpovida = je_slozka ? slozka_odpovida(seznamy.slozky, e.cFileName)
                                        : soubor_odpovida(seznamy.soubory, e.cFileName);
        const akce a = akce_cisteni(e, odpovida, !cesta.empty());
        if (a == akce::nechat) return true;
        // What happens inside or to a subfolder comes after what went before it.
        if (je_slozka) c.predel();
        std::wstring zobrazena = u.zobrazena + L"\\" + e.cFileName;
        if (a == akce::selhani) {
          c.selhani(je_slozka ? texty.slozka : texty.soubor, zobrazena);
        } else if (a == akce::vstoupit) {
          // Entered by its listing, before the next entry, never a link. Should it lie
          // elsewhere all the same (a link without the link attribute), nothing in it lies
          // where it seems, so nothing in it goes. One that cannot be listed cannot be cleaned.
          if (FAILED(p.vstup(uroven{zobrazena, misto_polozky(u.tady, e.cFileName)}, cesta)))
            c.selhani(texty.projit, zobrazena);
        } else {
          c.odstran(a, e, cesta, misto_polozky(u.tady, e.cFileName), std::move(zobrazena));
        }
        return true;
      },
      [&](uroven& u, const std::wstring&, HRESULT vycet) {
        c.predel();
        if (FAILED(vycet)) c.selhani(texty.projit, u.zobrazena); // the listing broke off
      });
  c.predel();
}

cisteni::cisteni(const seznamy_cisteni& seznamy, radky_cisteni radky, prijemce_radku& vystup, LONG& pocet_chyb)
    : seznamy_(seznamy), radky_(radky), vystup_(vystup), pocet_chyb_(pocet_chyb)
{
}

void cisteni::vycisti(const std::wstring& slozka) { projdi_cisteni(slozka, seznamy_, texty_, *this, vystup_); }

void cisteni::selhani(const std::wstring& text, const std::wstring& zobrazena)
{
  dokonci_davku();
  ++pocet_chyb_;
  vystup_.radek(radek_selhani(text, zobrazena));
}

void cisteni::pred_polozkou()
{
  if (davka_hotova(davka_.size(), GetTickCount64() - davka_od_, vypis_trval_)) dokonci_davku();
}

void cisteni::odstran(akce a, const WIN32_FIND_DATAW& p, const std::wstring& cesta, const misto& kde, std::wstring&& zobrazena)
{
  if (!je_slozka_polozka(p)) {
    // A file, or a link to one as itself.
    if (smazat_overene(cesta, kde, false, false) == S_OK)
      do_davky(cesta.substr(0, cesta.size() - std::wcslen(p.cFileName)), p, cesta, std::move(zobrazena));
    else
      selhani(texty_.soubor, zobrazena);
    return;
  }
  const HRESULT hr = a == akce::smazat ? smazat_strom(cesta, kde, p.dwFileAttributes) : smazat_overene(cesta, kde, false, true);
  if (hr != S_OK)
    selhani(texty_.slozka, zobrazena);
  else if (radky_.slozky)
    vystup_.radek(radek_slozka_smazana(zobrazena));
}

void cisteni::do_davky(const std::wstring& slozka, const WIN32_FIND_DATAW& p, const std::wstring& cesta, std::wstring&& zobrazena)
{
  if (davka_.empty()) {
    if (davka_slozka_ != slozka) {
      davka_slozka_ = slozka;
      vypis_trval_ = 0;
    }
    davka_od_ = GetTickCount64();
  }
  davka_.push_back({cesta, std::move(zobrazena)});
  davka_nazvy_.emplace_back(p.cFileName);
  if (davka_hotova(davka_.size(), GetTickCount64() - davka_od_, vypis_trval_)) dokonci_davku();
}

void cisteni::dokonci_davku()
{
  if (davka_.empty()) return;
  std::vector<bool> zustava;
  const ULONGLONG od = GetTickCount64();
  if (davka_vypisem(davka_.size()) && jeste_uvedene(davka_slozka_, davka_nazvy_, zustava)) {
    vypis_trval_ = GetTickCount64() - od;
  } else {
    // Few, or the folder cannot be listed: each name is looked up, as exactly as the
    // listing compares it.
    zustava.assign(davka_.size(), false);
    for (size_t i = 0; i < davka_.size(); ++i) zustava[i] = jeste_uvedena(davka_[i].cesta, davka_nazvy_[i].c_str());
  }
  std::vector<smazany> davka = std::move(davka_);
  davka_.clear();
  davka_nazvy_.clear();
  for (size_t i = 0; i < davka.size(); ++i) {
    if (zustava[i]) {
      ++pocet_chyb_; // accepted, and still there
      vystup_.radek(radek_selhani(texty_.soubor, davka[i].zobrazena));
    } else if (radky_.soubory) {
      vystup_.radek(radek_soubor_smazan(davka[i].zobrazena));
    }
  }
}
