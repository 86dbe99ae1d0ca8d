#include "engine/kontrola_kopie.h"

#include <windows.h>
#include <cwchar>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include "engine/cesty.h"
#include "engine/nazev_kopie.h"
#include "engine/pruchod.h"
#include "engine/shoda.h"
#include "engine/soubory.h"

namespace {

// --- Before the copy

struct uroven_kontroly {
  std::wstring konecna;   // its final path
  std::wstring zobrazena; // as the log shows it
  std::wstring odkaz;     // the link it was reached through, as the log shows it (none: "")
};

// A folder reached a second time, which only a link can do: a loop when the folder is
// being walked now, else a folder the copy would hold twice. The finding names this way's
// link, or the one the folder was met through first (`prvni_odkaz`).
nalez_kopie druhe_setkani(const pruchod<uroven_kontroly>& p, const uroven_kontroly& nova, const std::wstring& prvni_odkaz)
{
  bool predek = false;
  for (size_t i = 0; i < p.hloubka(); ++i) predek = predek || stejne_presne(p.uroven(i).konecna, nova.konecna);
  const std::wstring& odkaz = !nova.odkaz.empty() ? nova.odkaz : prvni_odkaz;
  return {predek ? nalez_kopie::zacykleni : nalez_kopie::opakovani, odkaz.empty() ? nova.zobrazena : odkaz};
}

// --- After the copy

struct v_kopii {
  bool slozka;
  unsigned long long velikost;
  FILETIME cas;
};

struct uroven_overeni {
  std::wstring cil; // the copy's folder (long path); empty when the copy has no such folder
  std::unordered_map<std::wstring, v_kopii> kopie; // the copy's entries by their exact names
};

unsigned long long velikost(const WIN32_FIND_DATAW& p)
{
  return (static_cast<unsigned long long>(p.nFileSizeHigh) << 32) | p.nFileSizeLow;
}

// Reads the entries of the copy's folder `u.cil` into `u.kopie`.
void nacti_kopii(uroven_overeni& u)
{
  vycet_slozky kopie;
  if (u.cil.empty() || !kopie.otevri(u.cil)) return;
  WIN32_FIND_DATAW e;
  while (kopie.dalsi(e))
    if (!je_tecka(e.cFileName)) u.kopie[e.cFileName] = v_kopii{je_slozka_polozka(e), velikost(e), e.ftLastWriteTime};
}

// Whether the source's file `e` (long path `cesta`) stands in the copy under its exact name,
// with its size and last-write time. The copy holds what a link to a file points to.
bool soubor_v_kopii(const uroven_overeni& u, const WIN32_FIND_DATAW& e, const std::wstring& cesta)
{
  unsigned long long v = velikost(e);
  FILETIME cas = e.ftLastWriteTime;
  if (je_odkaz(e.dwFileAttributes, znacka(e))) {
    WIN32_FILE_ATTRIBUTE_DATA d{};
    if (cesta.empty() || !GetFileAttributesExW(cesta.c_str(), GetFileExInfoStandard, &d)) return false;
    v = (static_cast<unsigned long long>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
    cas = d.ftLastWriteTime;
  }
  const auto it = u.kopie.find(e.cFileName);
  return it != u.kopie.end() && !it->second.slozka && it->second.velikost == v && casy_shodne(cas, it->second.cas);
}

} // namespace

nalez_kopie zkontroluj_pred_kopii(const std::wstring& zobrazeny_zdroj, const std::wstring& dlouhy_zdroj,
                                  const std::wstring& konecny_zdroj, const std::wstring& konecny_cil,
                                  const std::wstring& zobrazeny_cil)
{
  uroven_kontroly koren{konecny_zdroj, zobrazeny_zdroj, {}};
  if (dlouhy_zdroj.empty() || koren.konecna.empty()) return {nalez_kopie::nejasny, zobrazeny_zdroj};
  // Every folder the copy will read, by its final path (exact: the names as stored), with
  // the link it was reached through.
  std::unordered_map<std::wstring, std::wstring> navstivene;
  navstivene.emplace(bez_koncoveho_lomitka(koren.konecna), std::wstring());
  pruchod<uroven_kontroly> p;
  p.vstup(std::move(koren), dlouhy_zdroj); // a source that cannot be listed has nothing to copy through
  nalez_kopie nalez;
  const auto najdi = [&](nalez_kopie n) {
    nalez = std::move(n);
    return false;
  };
  p.projdi(
      [&](uroven_kontroly& u, const WIN32_FIND_DATAW& e, const std::wstring& cesta) {
        // The shell reads the entry by its path in the source and writes it by its path in
        // the copy, which the temporary name never makes longer.
        const size_t jmeno = 1 + std::wcslen(e.cFileName), ve_zdroji = u.zobrazena.size() + jmeno;
        const size_t v_kopii = zobrazeny_cil.size() + (u.zobrazena.size() - zobrazeny_zdroj.size()) + jmeno;
        if (v_kopii > NEJDELSI_CESTA_SHELLU)
          return najdi({nalez_kopie::dlouha, zobrazeny_cil + (u.zobrazena + L"\\" + e.cFileName).substr(zobrazeny_zdroj.size()), v_kopii});
        if (ve_zdroji > NEJDELSI_CESTA_SHELLU) return najdi({nalez_kopie::dlouha, u.zobrazena + L"\\" + e.cFileName, ve_zdroji});
        // A folder too long to be listed: the copy cannot reach it either.
        if (!je_slozka_polozka(e) || cesta.empty()) return true;
        uroven_kontroly nova{u.konecna, u.zobrazena + L"\\" + e.cFileName, u.odkaz};
        if (je_odkaz(e.dwFileAttributes, znacka(e))) {
          nova.odkaz = nova.zobrazena;
          nova.konecna = konecna_cesta(cesta);
          // A link that cannot be told where it leads could lead anywhere.
          if (nova.konecna.empty()) return najdi({nalez_kopie::nejasny, nova.odkaz});
          if (prekryvaji_se(nova.konecna, konecny_cil)) return najdi({nalez_kopie::zacykleni, nova.odkaz});
        } else if (!pripoj_nazev(nova.konecna, e.cFileName)) {
          return true;
        }
        nova.konecna = bez_koncoveho_lomitka(nova.konecna);
        const auto [drive, nova_slozka] = navstivene.emplace(nova.konecna, nova.odkaz);
        if (!nova_slozka) return najdi(druhe_setkani(p, nova, drive->second));
        p.vstup(std::move(nova), cesta); // what cannot be listed now is counted after the copy
        return true;
      },
      [](uroven_kontroly&, const std::wstring&, HRESULT) {});
  return nalez;
}

unsigned long long chybejici_v_kopii(const std::wstring& dlouhy_zdroj, const std::wstring& dlouhy_cil)
{
  unsigned long long chybi = 0;
  // Folders reached through links, by final path: the check before the copy refused any
  // folder reached twice, but the source may have changed since.
  std::unordered_set<std::wstring> pres_odkazy;
  pruchod<uroven_overeni> p;
  const auto vstup_s_kopii = [&](uroven_overeni&& u, const std::wstring& cesta) {
    nacti_kopii(u);
    if (FAILED(p.vstup(std::move(u), cesta))) ++chybi; // a folder that cannot be read cannot be known to be copied
  };
  vstup_s_kopii(uroven_overeni{dlouhy_cil, {}}, dlouhy_zdroj);
  p.projdi(
      [&](uroven_overeni& u, const WIN32_FIND_DATAW& e, const std::wstring& cesta) {
        if (!je_slozka_polozka(e)) {
          if (!soubor_v_kopii(u, e, cesta)) ++chybi;
          return true;
        }
        // Too long to be listed, or met again through a link: a folder is not walked twice.
        if (cesta.empty() || (je_odkaz(e.dwFileAttributes, znacka(e)) && !pres_odkazy.insert(konecna_cesta(cesta)).second)) {
          ++chybi;
          return true;
        }
        // Only a folder of exactly that name in the copy holds this one's content.
        uroven_overeni nova;
        const auto it = u.kopie.find(e.cFileName);
        if (!u.cil.empty() && it != u.kopie.end() && it->second.slozka) cesta_polozky(nova.cil, u.cil, e.cFileName, true);
        vstup_s_kopii(std::move(nova), cesta);
        return true;
      },
      [&](uroven_overeni&, const std::wstring&, HRESULT vycet) {
        if (FAILED(vycet)) ++chybi; // the listing broke off: the rest is not known
      });
  return chybi;
}

bool casy_shodne(const FILETIME& zdroj, const FILETIME& kopie)
{
  const auto cislo = [](const FILETIME& f) {
    return static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime);
  };
  const long long rozdil = cislo(kopie) - cislo(zdroj);
  return rozdil >= -20000000LL && rozdil <= 20000000LL; // 2 s in units of 100 ns
}
