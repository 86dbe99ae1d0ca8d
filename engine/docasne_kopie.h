#pragma once
// The backup's temporary copies: what makes, marks, recognises and removes them.
//
// A new copy is made and checked under a temporary name beside its target before it takes
// the target's name, and an older copy is moved aside under one before it is deleted. A
// new copy's temporary name ("~1", "~2" ...) is never longer than the copy's own name, so
// every path that fits under the copy's name fits under it too.
//
// Each temporary folder has its mark beside it: a hidden file of the folder's name and
// ".tesvarin-docasna-kopie" that says what the folder holds (a new copy, or an older copy
// moved aside) and the name of the copy it belongs to. The mark is made before its folder
// gets its name and goes only once the folder is gone or renamed. The backup that made a
// mark holds it open, unshared, to its end, so no other backup takes its folders for
// leftovers; a mark that nobody holds is what an ended backup left behind.
#include <windows.h>
#include <string>
#include <string_view>
#include "engine/cisteni.h"
#include "frame/vlastnici.h"

// What a temporary folder holds.
enum class obsah_docasne { nova, stara };

// The name of try `pokus` (from 1): "~" and the number, or "~" alone where the copy's name
// has a single character. Empty when it would be longer than `nejvic` characters.
std::wstring docasny_nazev(unsigned pokus, size_t nejvic);
// Whether a name is one that docasny_nazev gives.
bool je_docasny_nazev(std::wstring_view nazev);
// The mark's file name of a temporary folder's name.
std::wstring nazev_znacky(std::wstring_view slozka);
// The mark's text (stored as UTF-16), and back: false for a text that is no mark.
std::wstring text_znacky(obsah_docasne co, std::wstring_view kopie);
bool cti_znacku(std::wstring_view text, obsah_docasne& co, std::wstring& kopie);

// A temporary folder of this backup, its mark held. Destroyed without `na_misto`, `smaz` or
// `predej`, its mark stays for the next backup to find, as after a process that ended.
class docasna_slozka {
public:
  docasna_slozka() = default;
  docasna_slozka(docasna_slozka&&) = default;
  docasna_slozka& operator=(docasna_slozka&&) = default;

  // A new empty folder beside the copy `kopie` of the target location `umisteni` (both as
  // the log shows them), under a name that nothing there has. Not valid when none could be
  // made.
  static docasna_slozka nova(const std::wstring& umisteni, const std::wstring& kopie);
  // The older copy `umisteni\kopie` moved aside, marked before it moves; not valid, with
  // `hr` set, when it cannot be moved (a file in it held open) or is, or holds, one of the
  // user's or the system's own folders (E_CHRANENA).
  static docasna_slozka odsun(const std::wstring& umisteni, const std::wstring& kopie, HRESULT& hr);

  bool platna() const { return znacka_.platny(); }
  // The folder as the log shows it.
  std::wstring cesta() const;
  // Renamed to the copy's own name; then the mark goes.
  HRESULT na_misto();
  // Deleted with all it holds; then the mark goes. What stays keeps its mark.
  HRESULT smaz();
  // From now on the user's: the box or the log names it as the place of their data, so
  // its mark goes and no later backup touches it.
  void predej();

private:
  // Takes the name of try `pokus` for a folder holding `co`: its mark made and held. S_OK,
  // a failure that says the name is taken, or another failure.
  HRESULT zaber(unsigned pokus, obsah_docasne co);

  std::wstring umisteni_, nazev_, kopie_;
  kestrum::handle_souboru znacka_;
};

// What earlier backups of the source named `zdroj` left in the target location `umisteni`
// (as the log shows it), by the marks that no backup holds: an older copy moved aside is
// put back where its copy is missing, every other such folder is removed. Each restore,
// removal and failure is written as a line, and so is a temporary folder that stays because
// it cannot be proven a leftover.
void odstran_zbytky(const std::wstring& umisteni, const std::wstring& zdroj, prijemce_radku& vystup);
