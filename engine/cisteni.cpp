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

struct cisteni::uroven {
  std::wstring zobrazena; // as the log shows it
  misto tady;             // where it lies
};

cisteni::cisteni(const seznamy_cisteni& seznamy, radky_cisteni radky, prijemce_radku& vystup, LONG& pocet_chyb)
    : seznamy_(seznamy), radky_(radky), vystup_(vystup), pocet_chyb_(pocet_chyb),
      text_slozka_(nacti_text(IDS_NEPODARILO_SLOZKU)), text_soubor_(nacti_text(IDS_NEPODARILO_SOUBOR)),
      text_projit_(nacti_text(IDS_NEPODARILO_PROJIT))
{
}

void cisteni::selhani(const std::wstring& text, const std::wstring& cesta)
{
  dokonci_davku();
  ++pocet_chyb_;
  vystup_.radek(radek_selhani(text, cesta));
}

void cisteni::vycisti(const std::wstring& slozka)
{
  // A stored pattern for nearly every name is not used, and the log says so first.
  for (const std::wstring& polozka : seznamy_.soubory)
    if (vzor_pro_vse(polozka)) vystup_.radek(radek_vzor_vynechan(polozka));
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
    selhani(text_projit_, slozka);
    return;
  }
  p.projdi(
      [&](uroven& u, const WIN32_FIND_DATAW& e, const std::wstring& cesta) {
        if (davka_hotova(davka_.size(), GetTickCount64() - davka_od_, vypis_trval_)) dokonci_davku();
        // Every name beginning with a dot: not deleted, not entered.
        if (skryta_polozka(e.cFileName)) return true;
        if (!je_slozka_polozka(e)) {
          zpracuj_soubor(e, cesta, u);
          return true;
        }
        uroven nova;
        if (!zpracuj_slozku(e, cesta, u, nova)) return true;
        const std::wstring zobrazena = nova.zobrazena;
        // Entered before the next entry; a folder that cannot be listed cannot be cleaned.
        if (FAILED(p.vstup(std::move(nova), cesta))) selhani(text_projit_, zobrazena);
        return true;
      },
      [&](uroven& u, const std::wstring&, HRESULT vycet) {
        dokonci_davku();
        if (FAILED(vycet)) selhani(text_projit_, u.zobrazena); // the listing broke off
      });
  dokonci_davku();
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
    // Few, or the folder cannot be listed: each path must name nothing.
    zustava.assign(davka_.size(), false);
    for (size_t i = 0; i < davka_.size(); ++i) zustava[i] = !neexistuje(davka_[i].cesta);
  }
  std::vector<smazany> davka = std::move(davka_);
  davka_.clear();
  davka_nazvy_.clear();
  for (size_t i = 0; i < davka.size(); ++i) {
    if (zustava[i]) {
      ++pocet_chyb_; // accepted, and still there
      vystup_.radek(radek_selhani(text_soubor_, davka[i].zobrazena));
    } else if (radky_.soubory) {
      vystup_.radek(radek_soubor_smazan(davka[i].zobrazena));
    }
  }
}

bool cisteni::zpracuj_slozku(const WIN32_FIND_DATAW& p, const std::wstring& cesta, const uroven& u, uroven& nova)
{
  const akce a = akce_slozky(p.dwFileAttributes, znacka(p), slozka_odpovida(seznamy_.slozky, p.cFileName));
  if (a == akce::nechat) return false;
  // What happens inside or to the subfolder comes after the deletions before it.
  dokonci_davku();
  const std::wstring zobrazena = u.zobrazena + L"\\" + p.cFileName;
  if (cesta.empty()) {
    selhani(text_slozka_, zobrazena); // too long even for the long-path calls
    return false;
  }
  HRESULT hr = E_FAIL;
  switch (a) {
  case akce::vstoupit:
    // Entered by its listing, never a link. Should it lie elsewhere all the same (a link
    // without the link attribute), nothing in it lies where it seems, so nothing in it goes.
    nova.zobrazena = zobrazena;
    nova.tady = misto_polozky(u.tady, p.cFileName);
    return true;
  case akce::smazat: hr = smazat_strom(cesta, misto_polozky(u.tady, p.cFileName), p.dwFileAttributes); break;
  case akce::odstranit_odkaz: hr = smazat_overene(cesta, misto_polozky(u.tady, p.cFileName), false, true); break;
  default: break; // akce::selhani
  }
  if (hr == S_OK) {
    if (radky_.slozky) vystup_.radek(radek_slozka_smazana(zobrazena));
  } else {
    selhani(text_slozka_, zobrazena);
  }
  return false;
}

void cisteni::zpracuj_soubor(const WIN32_FIND_DATAW& p, const std::wstring& cesta, const uroven& u)
{
  if (!soubor_odpovida(seznamy_.soubory, p.cFileName)) return;
  std::wstring zobrazena = u.zobrazena + L"\\" + p.cFileName;
  HRESULT hr = E_FAIL;
  if (!cesta.empty() && akce_souboru(p.dwFileAttributes, znacka(p), true) != akce::selhani)
    hr = smazat_overene(cesta, misto_polozky(u.tady, p.cFileName), false, false); // a read-only file stays
  if (hr == S_OK)
    do_davky(cesta.substr(0, cesta.size() - std::wcslen(p.cFileName)), p, cesta, std::move(zobrazena));
  else
    selhani(text_soubor_, zobrazena);
}
