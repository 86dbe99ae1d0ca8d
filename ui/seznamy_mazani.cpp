#include "ui/seznamy_mazani.h"

#include "engine/shoda.h"
#include "frame/aplikace.h"
#include "frame/chyby.h"
#include "frame/registr.h"

namespace {

const wchar_t* const HODNOTA_SOUBORY = L"mazane_soubory";
const wchar_t* const HODNOTA_SLOZKY = L"mazane_slozky";

// A value that is missing, unreadable or of another type gives an empty list.
std::vector<std::wstring> nacti_seznam(const wchar_t* hodnota)
{
  std::vector<std::wstring> seznam;
  vice_retezcu buffer;
  if (buffer.cti(KLIC_APLIKACE, hodnota) == S_OK) buffer.do_posloupnosti(seznam);
  return seznam;
}

HRESULT uloz_seznam(const std::vector<std::wstring>& seznam, const wchar_t* hodnota)
{
  vice_retezcu buffer;
  buffer.z_posloupnosti(seznam);
  return buffer.zapis(KLIC_APLIKACE, hodnota);
}

void odeber(std::vector<std::wstring>& seznam, unsigned index)
{
  if (!v_rozsahu(seznam, static_cast<LONG_PTR>(index))) fatalni_argument();
  seznam.erase(seznam.begin() + index);
}

} // namespace

bool v_rozsahu(const std::vector<std::wstring>& seznam, LONG_PTR index)
{
  return index >= 0 && static_cast<size_t>(index) < seznam.size();
}

void seznamy_mazani::nacti()
{
  soubory.clear();
  slozky.clear();
  slozky = nacti_seznam(HODNOTA_SLOZKY);
  soubory = nacti_seznam(HODNOTA_SOUBORY);
  if (soubory.empty() && slozky.empty()) {
    vychozi_soubory();
    vychozi_slozky();
    uloz();
  }
}

void seznamy_mazani::uloz() const
{
  // Both values on every save, the folders first; a failure ends the save and goes to the
  // event log only.
  HRESULT hr = uloz_seznam(slozky, HODNOTA_SLOZKY);
  if (SUCCEEDED(hr)) hr = uloz_seznam(soubory, HODNOTA_SOUBORY);
  if (FAILED(hr)) app().zapis_hresult(hr);
}

void seznamy_mazani::vychozi_soubory()
{
  soubory = {L".aps", L".ncb", L".sdf", L".db", L"readme.txt", L"thumbs.db"};
}

void seznamy_mazani::vychozi_slozky()
{
  slozky = {L"debug", L"ipch", L"release"};
}

int seznamy_mazani::najdi_soubor(const wchar_t* nazev) const { return najdi_v_seznamu(soubory, nazev); }
int seznamy_mazani::najdi_slozku(const wchar_t* nazev) const { return najdi_v_seznamu(slozky, nazev); }
void seznamy_mazani::pridej_soubor(const std::wstring& nazev) { soubory.push_back(nazev); }
void seznamy_mazani::pridej_slozku(const std::wstring& nazev) { slozky.push_back(nazev); }
void seznamy_mazani::odeber_soubor(unsigned index) { odeber(soubory, index); }
void seznamy_mazani::odeber_slozku(unsigned index) { odeber(slozky, index); }
void seznamy_mazani::vyprazdni_soubory() { soubory.clear(); }
void seznamy_mazani::vyprazdni_slozky() { slozky.clear(); }
