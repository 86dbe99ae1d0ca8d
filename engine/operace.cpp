#include "engine/operace.h"

#include <shellapi.h>
#include "engine/cesty.h"
#include "engine/docasne_kopie.h"
#include "engine/kontrola_kopie.h"
#include "engine/mazani.h"
#include "engine/nazev_kopie.h"
#include "engine/soubory.h"
#include "engine/vlastni_slozky.h"
#include "engine/vypis_texty.h"
#include "frame/chyby.h"

std::wstring zdroj_cisteni(const std::wstring& text, okno_operace& okno)
{
  // Slashes are separators like backslashes, and the log shows the path with backslashes.
  // A relative path would clean a folder the user never sees (the program's own).
  std::wstring zdroj = jednotna_lomitka(text);
  const bool absolutni = je_absolutni(zdroj);
  // One trailing backslash goes: C:\src\app\ cleans C:\src\app. A text that was only a
  // backslash leaves nothing, which is no folder (and never the current drive's root).
  if (!zdroj.empty() && zdroj.back() == L'\\') zdroj.pop_back();
  // The folder is what its listing pattern (the path, "\" and "*") lists. A volume's root
  // is never cleaned, however it is spelt or reached: the lists would reach every program
  // and document on the drive.
  const std::wstring dlouhy = zdroj.empty() || !absolutni ? std::wstring() : dlouha_cesta(zdroj + L"\\");
  const std::wstring konecny = dlouhy.empty() ? std::wstring() : konecna_cesta(bez_koncoveho_lomitka(dlouhy));
  if (dlouhy.empty() || !je_slozka(zdroj + L"\\") || je_koren_svazku(dlouhy) ||
      (!konecny.empty() && je_koren_svazku(konecny))) {
    okno.chyba(texty::zdroj_cisteni_neplatny);
    return {};
  }
  // Nor is the user's or the system's own folder, or one that holds one: the lists would
  // reach every document and every program's files in it. (The check also takes the
  // folder's final path.)
  if (je_vlastni_slozka(dlouhy)) {
    okno.chyba(texty::zdroj_cisteni_vlastni);
    return {};
  }
  return zdroj;
}

HRESULT vycisteni(const zadani_cisteni& zadani, LONG& pocet_chyb, okno_operace& okno)
{
  pocet_chyb = 0;
  okno.zacni_mereni();
  okno.vymaz_vypis();
  okno.radek(texty::cisteni_spusteno);
  const std::wstring zdroj = zdroj_cisteni(zadani.zdroj, okno);
  if (zdroj.empty()) return E_INVALIDARG;

  cisteni({zadani.soubory, zadani.slozky}, zadani.radky, okno, pocet_chyb).vycisti(zdroj);

  const unsigned sekundy = okno.uplynulo_sekund();
  if (pocet_chyb == 0) {
    okno.radek(texty::cisteni_uspesne);
    okno.radek(radek_cas_cisteni(sekundy));
  } else {
    okno.radek(L"");
    okno.radek(texty::cisteni_dokonceno);
    okno.radek(radek_cas(sekundy));
    okno.radek(radek_pocet_chyb(pocet_chyb));
  }
  return S_OK;
}

namespace {

// A check that stops the backup: the line, then the box.
HRESULT zastav(okno_operace& okno, const std::wstring& text)
{
  okno.radek(text);
  okno.chyba(text);
  return E_FAIL;
}

// What the backup works with once its input has passed the checks.
struct plan_zalohy {
  std::wstring odkud;        // the copy source: the source and "\*.*"
  std::wstring cil;          // the new folder's path
  std::wstring dlouhy_zdroj; // the source's long path
  std::wstring umisteni;     // the target location, without trailing backslashes
  std::wstring nazev;        // the source's name
  std::wstring jmeno;        // the new folder's name
};

// The checks before anything on disk changes, in their order, and the names of the copy.
// S_OK with `plan` filled in, or a failure once its line and box are out.
HRESULT priprav(const zadani_zalohy& zadani, okno_operace& okno, plan_zalohy& plan)
{
  // Slashes are separators like backslashes; a relative path is refused like a missing folder.
  const std::wstring zdroj = jednotna_lomitka(zadani.zdroj), umisteni_text = jednotna_lomitka(zadani.cil);
  if (!je_absolutni(zdroj) || !je_slozka(zdroj)) return zastav(okno, texty::zdroj_neexistuje);
  if (!je_absolutni(umisteni_text) || !je_slozka(umisteni_text)) return zastav(okno, texty::cil_neexistuje);
  std::wstring nazev;
  if (nazev_slozky(zdroj, nazev) != 0 || !nazev_pouzitelny(nazev)) return zastav(okno, texty::zdroj_neplatny);

  plan.odkud = zdroj + L"\\*.*";
  SYSTEMTIME cas{};
  if (zadani.cas)
    cas = *zadani.cas;
  else
    GetLocalTime(&cas);
  std::wstring& umisteni = plan.umisteni = umisteni_text;
  odstranit_koncova_lomitka(umisteni);
  plan.nazev = nazev;
  const std::wstring& jmeno = plan.jmeno = nazev_kopie(nazev, zadani.pridat_datum, zadani.vypis_casu, cas);
  plan.cil = cilova_cesta(umisteni, jmeno);

  // The new folder must neither be the source, nor lie in it, nor hold it. Final paths see
  // through "..", short names, substituted drives and links.
  plan.dlouhy_zdroj = dlouha_cesta(zdroj);
  const std::wstring konecny_zdroj = konecna_cesta(bez_koncoveho_lomitka(plan.dlouhy_zdroj));
  std::wstring konecny_cil = konecna_cesta(bez_koncoveho_lomitka(dlouha_cesta(umisteni + L"\\")));
  if (konecny_zdroj.empty() || konecny_cil.empty() || !pripoj_nazev(konecny_cil, jmeno))
    return zastav(okno, texty::prekryti_neovereno);
  if (prekryvaji_se(konecny_zdroj, konecny_cil)) return zastav(okno, texty::prekryti);
  const nalez_kopie nalez = zkontroluj_pred_kopii(zdroj, plan.dlouhy_zdroj, konecny_zdroj, konecny_cil, plan.cil);
  switch (nalez.co) {
  case nalez_kopie::dlouha: return zastav(okno, radek_cesta_dlouha(nalez.odkaz, nalez.delka));
  case nalez_kopie::zacykleni: return zastav(okno, radek_zacykleni(nalez.odkaz));
  case nalez_kopie::opakovani: return zastav(okno, radek_opakovani(nalez.odkaz));
  case nalez_kopie::nejasny: return zastav(okno, radek_odkaz_nejasny(nalez.odkaz));
  case nalez_kopie::nic: break;
  }
  return S_OK;
}

// The shell's copy with the flags of the backup: no question about the new folder, the copy
// registered for undo, every other question answered yes.
int kopie_shellem(HWND vlastnik, const std::wstring& odkud, const std::wstring& kam)
{
  // Both are lists ending in two NULs: the string's own terminator is the second.
  std::wstring z = odkud + L'\0', c = kam + L'\0';
  SHFILEOPSTRUCTW op{};
  op.hwnd = vlastnik;
  op.wFunc = FO_COPY;
  op.pFrom = z.c_str();
  op.pTo = c.c_str();
  op.fFlags = FOF_NOCONFIRMMKDIR | FOF_ALLOWUNDO | FOF_NOCONFIRMATION; // 0x0250
  return SHFileOperationW(&op);
}

// The copy into the new folder `kam` and its check against the source: S_OK when the copy
// is complete, otherwise its failure lines are written.
HRESULT kopiruj_a_over(okno_operace& okno, const std::wstring& odkud, const std::wstring& dlouhy_zdroj,
                       const std::wstring& kam)
{
  // The new folder exists before the copy. The shell would make it too, but under Wine a
  // source holding a single file had that file copied to the new folder's path instead.
  const std::wstring dlouhy_kam = dlouha_cesta(kam);
  // The shell never gets a "\\?\" path (it would copy into the current directory).
  const std::wstring odkud_shell = cesta_pro_shell(odkud), kam_shell = cesta_pro_shell(kam);
  if (odkud_shell.empty() || kam_shell.empty() || kopie_shellem(okno.vlastnik(), odkud_shell, kam_shell) != 0) {
    okno.radek(texty::kopirovani_selhalo);
    return E_FAIL;
  }
  // The shell reports success also for a copy that left files out (locked, too long a
  // path): every regular file of the source must stand in the copy with its size.
  const unsigned long long chybi = chybejici_v_kopii(dlouhy_zdroj, dlouhy_kam);
  if (chybi != 0) {
    okno.radek(texty::kopirovani_selhalo);
    okno.radek(radek_chybejici_soubory(chybi));
    return E_FAIL;
  }
  return S_OK;
}

// A copy that cannot stand where it should: the box and the log say why and where it is.
HRESULT kopie_stranou(okno_operace& okno, const wchar_t* proc, HRESULT hr, const std::wstring& kde)
{
  okno.chyba(std::wstring(proc) + L" " + kde);
  okno.radek(systemovy_text(hr));
  okno.radek(kde);
  return hr;
}

// The new copy is made and checked beside the target `plan.cil` first, under a temporary
// name; only a complete copy gets the final name. An older copy (a folder of attributes
// `starsi`, INVALID_FILE_ATTRIBUTES for none) is moved aside first, the new one renamed into
// its place, and only then is the older one deleted. A process ended at any point leaves
// under the final name the older copy or the new one, complete (but between the two
// renames), and under a temporary name only marked folders that the next backup puts back
// or removes. An older copy that is a link is never moved (under Wine that moves what it
// points to): it is removed as itself, which costs nothing of what it points to.
HRESULT kopie_na_misto(okno_operace& okno, const plan_zalohy& plan, DWORD starsi_atributy)
{
  const bool starsi = starsi_atributy != INVALID_FILE_ATTRIBUTES;
  const bool odkaz = starsi && (starsi_atributy & FILE_ATTRIBUTE_REPARSE_POINT);
  docasna_slozka nova = docasna_slozka::nova(plan.umisteni, plan.jmeno);
  const HRESULT kopie = nova.platna() ? kopiruj_a_over(okno, plan.odkud, plan.dlouhy_zdroj, nova.cesta()) : E_FAIL;
  if (FAILED(kopie)) {
    if (!nova.platna()) okno.radek(texty::kopirovani_selhalo);
    if (starsi) okno.radek(radek_stara_kopie_zustala(plan.cil));
    if (nova.platna()) okno.radek(radek_neuplna_kopie(nova.cesta(), nova.smaz() == S_OK));
    return kopie;
  }
  HRESULT hr = odkaz ? smazat_slozku(plan.cil) : S_OK;
  docasna_slozka stara = starsi && !odkaz ? docasna_slozka::odsun(plan.umisteni, plan.jmeno, hr) : docasna_slozka();
  if (FAILED(hr)) {
    nova.predej();
    return kopie_stranou(okno, texty::stary_cil_nesmazan, hr, radek_nova_kopie_je_v(nova.cesta()));
  }
  if (odkaz) okno.radek(radek_stary_cil_odstranen(plan.cil));
  if (hr = nova.na_misto(); FAILED(hr)) {
    const bool zpet = !stara.platna() || stara.na_misto() == S_OK;
    nova.predej();
    kopie_stranou(okno, texty::kopie_neprejmenovana, hr, radek_nova_kopie_je_v(nova.cesta()));
    if (!zpet) {
      stara.predej();
      okno.radek(radek_stara_kopie_je_v(stara.cesta()));
    }
    return hr;
  }
  if (!stara.platna()) return S_OK;
  // The log names what stopped the delete, in the system's words.
  if (hr = stara.smaz(); hr != S_OK) {
    stara.predej();
    kopie_stranou(okno, texty::stary_cil_nesmazan, hr, radek_stara_kopie_je_v(stara.cesta()));
  } else {
    okno.radek(radek_stary_cil_odstranen(plan.cil));
  }
  return S_OK;
}

} // namespace

HRESULT zaloha(const zadani_zalohy& zadani, okno_operace& okno)
{
  okno.zacni_mereni();
  plan_zalohy plan;
  if (const HRESULT hr = priprav(zadani, okno, plan); FAILED(hr)) return hr;

  // An older copy that may be deleted is never one of the user's or the system's own folders,
  // nor one that holds one: checked before anything changes on disk.
  const std::wstring dlouhy_cil = bez_koncoveho_lomitka(dlouha_cesta(plan.cil));
  const auto je_starsi = [&](DWORD a) { return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY); };
  if (zadani.smazat_stary_cil && je_starsi(atributy(dlouhy_cil)) && je_vlastni_slozka(dlouhy_cil)) {
    const std::wstring text = radek_stary_cil_chraneny(plan.cil);
    okno.chyba(text);
    okno.radek(text);
    return E_FAIL;
  }
  // An older copy that a backup ended midway had moved aside is back under its name first.
  odstran_zbytky(plan.umisteni, plan.nazev, okno);
  const DWORD a = atributy(dlouhy_cil);
  const bool starsi = je_starsi(a);
  const bool soubor = a != INVALID_FILE_ATTRIBUTES && !starsi;
  if (starsi && !zadani.smazat_stary_cil) {
    okno.chyba(texty::cil_existuje);
    okno.radek(texty::cil_existuje);
    return E_FAIL;
  }
  if (soubor) {
    // A target path that exists as a file is not deleted, and no copy can take its name.
    okno.radek(texty::kopirovani_selhalo);
    okno.radek(systemovy_text(HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS)));
    return E_FAIL;
  }
  const HRESULT hr = kopie_na_misto(okno, plan, a);
  if (hr != S_OK) return hr;
  const unsigned sekundy = okno.uplynulo_sekund();
  okno.radek(texty::kopirovani_dokonceno);
  okno.radek(radek_cas_zalohy(sekundy));
  return S_OK;
}
