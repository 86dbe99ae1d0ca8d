// The registry store, the settings record and the cleaning lists, each test on a private
// HKEY_CURRENT_USER: byte-exact values, bad stored data, first run and defaults.
#include <gtest/gtest.h>
#include <cstring>
#include <random>
#include "frame/chyby.h"
#include "frame/hlavni_okno.h"
#include "frame/registr.h"
#include "tests/podpora/aplikace_test.h"
#include "tests/podpora/podpora.h"
#include "ui/nastaveni.h"
#include "ui/seznamy_mazani.h"

namespace {

using seznam = std::vector<std::wstring>;

std::vector<BYTE> bajty(const std::wstring& s, bool s_nulou = true)
{
  std::vector<BYTE> b(reinterpret_cast<const BYTE*>(s.data()),
                      reinterpret_cast<const BYTE*>(s.data()) + 2 * s.size());
  if (s_nulou) b.insert(b.end(), {0, 0});
  return b;
}

std::vector<BYTE> hodnota(const wchar_t* nazev, DWORD ocekavany_typ)
{
  DWORD typ = 0;
  std::vector<BYTE> data;
  EXPECT_TRUE(test::cti_hodnotu(KLIC_APLIKACE, nazev, typ, data)) << test::utf8(nazev);
  EXPECT_EQ(typ, ocekavany_typ) << test::utf8(nazev);
  return data;
}

void zapis(const wchar_t* nazev, DWORD typ, const std::vector<BYTE>& data)
{
  test::zapis_hodnotu(KLIC_APLIKACE, nazev, typ, data.data(), static_cast<DWORD>(data.size()));
}

class Registr : public ::testing::Test {
protected:
  test::soukromy_registr registr;
  test::s_aplikaci aplikace;
};

} // namespace

// --- Multi-string coding

TEST(VicRetezcu, KodovaniPoBajtech)
{
  auto d = test::zakoduj_retezce({L"debug", L"ipch", L"release"});
  ASSERT_EQ(d.size(), 40u);
  auto ocekavano = bajty(L"debug");
  for (auto* s : {L"ipch", L"release"}) {
    auto b = bajty(s);
    ocekavano.insert(ocekavano.end(), b.begin(), b.end());
  }
  ocekavano.insert(ocekavano.end(), {0, 0});
  EXPECT_EQ(d, ocekavano);
  EXPECT_TRUE(test::zakoduj_retezce({}).empty());

  // The heap buffer grows string by string to exactly the same bytes.
  vice_retezcu v;
  v.pridej(L"debug");
  EXPECT_EQ(v.size, 14u);
  v.pridej(L"ipch");
  v.pridej(L"release");
  ASSERT_EQ(v.size, 40u);
  EXPECT_EQ(std::memcmp(v.data, d.data(), 40), 0);
  seznam zpet;
  v.do_posloupnosti(zpet);
  EXPECT_EQ(zpet, (seznam{L"debug", L"ipch", L"release"}));
  v.z_posloupnosti({});
  EXPECT_EQ(v.size, 0u);
  EXPECT_EQ(v.data, nullptr);
}

TEST(VicRetezcu, DekodovaniPoskozenychDat)
{
  auto dek = [](const std::wstring& s, size_t bajtu) { return dekoduj_retezce(s.data(), bajtu); };
  // An inner double NUL ends the list.
  std::wstring s(L"a\0\0bb\0\0", 7);
  EXPECT_EQ(dek(s, 14), seznam{L"a"});
  // A string cut off by the end of the data is taken whole.
  EXPECT_EQ(dek(L"abc", 6), seznam{L"abc"});
  s = std::wstring(L"ab\0cd", 5);
  EXPECT_EQ(dek(s, 10), (seznam{L"ab", L"cd"}));
  // An odd byte count drops the trailing half code unit.
  EXPECT_EQ(dek(L"abc", 5), seznam{L"ab"});
  EXPECT_EQ(dek(L"a", 1), seznam{});
  // Nothing, or a NUL first, is an empty list.
  EXPECT_EQ(dek(L"abc", 0), seznam{});
  s = std::wstring(L"\0abc\0\0", 6);
  EXPECT_EQ(dek(s, 12), seznam{});
  EXPECT_EQ(dekoduj_retezce(nullptr, 10), seznam{});
}

TEST(VicRetezcu, NahodnaDataKonciCiste)
{
  std::mt19937 gen(20261207);
  std::uniform_int_distribution<int> bajt(0, 255), delka(0, 300);
  for (int i = 0; i < 5000; ++i) {
    std::vector<uint8_t> data(static_cast<size_t>(delka(gen)));
    for (auto& b : data) b = static_cast<uint8_t>(bajt(gen) < 60 ? 0 : bajt(gen));
    auto s = dekoduj_retezce(data.data(), data.size());
    size_t jednotek = 0;
    for (const auto& x : s) {
      ASSERT_FALSE(x.empty());
      ASSERT_EQ(x.find(L'\0'), std::wstring::npos);
      jednotek += x.size() + 1;
    }
    ASSERT_LE(jednotek, data.size() / 2 + 1);
    // Whatever decodes encodes and decodes to the same list.
    auto znovu = test::zakoduj_retezce(s);
    ASSERT_EQ(dekoduj_retezce(znovu.data(), znovu.size()), s);
  }
}

// --- The key object

TEST_F(Registr, CteniHodnotOdolnaProtiSpatnymDatum)
{
  klic_registru k(KLIC_APLIKACE);
  EXPECT_EQ(k.otevri(), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(k.hkey.get(), nullptr);
  k.vytvor_klic();
  ASSERT_NE(k.hkey.get(), nullptr);

  DWORD d = 3;
  EXPECT_EQ(k.cti_dword(L"param", d), S_FALSE);
  zapis(L"param", REG_SZ, bajty(L"7"));
  EXPECT_EQ(k.cti_dword(L"param", d), E_INVALIDARG);
  zapis(L"param", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_TRUE(FAILED(k.cti_dword(L"param", d)));
  zapis(L"param", REG_BINARY, {9, 0, 0, 0});
  EXPECT_EQ(k.cti_dword(L"param", d), E_INVALIDARG);
  EXPECT_EQ(d, 3u);
  zapis(L"param", REG_DWORD, {5, 0, 0, 0});
  EXPECT_EQ(k.cti_dword(L"param", d), S_OK);
  EXPECT_EQ(d, 5u);

  std::wstring s = L"původní";
  EXPECT_EQ(k.cti_retezec(L"slozka", s), S_FALSE);
  zapis(L"slozka", REG_DWORD, {1, 0, 0, 0});
  EXPECT_EQ(k.cti_retezec(L"slozka", s), E_INVALIDARG);
  EXPECT_EQ(s, L"původní");
  zapis(L"slozka", REG_SZ, {});
  EXPECT_EQ(k.cti_retezec(L"slozka", s), S_OK);
  EXPECT_EQ(s, L"");
  zapis(L"slozka", REG_SZ, bajty(L"C:\\bez nuly", false));
  EXPECT_EQ(k.cti_retezec(L"slozka", s), S_OK);
  EXPECT_EQ(s, L"C:\\bez nuly");
  auto lichy = bajty(L"abc", false);
  lichy.push_back(0x41);
  zapis(L"slozka", REG_SZ, lichy);
  EXPECT_EQ(k.cti_retezec(L"slozka", s), S_OK);
  EXPECT_EQ(s, L"abc");
  zapis(L"slozka", REG_SZ, bajty(std::wstring(L"ab\0cd", 5)));
  EXPECT_EQ(k.cti_retezec(L"slozka", s), S_OK);
  EXPECT_EQ(s, L"ab");

  umisteni_okna u{};
  EXPECT_EQ(k.cti_umisteni(&u), S_FALSE);
  std::vector<BYTE> zaznam(20, 0);
  zaznam[0] = 10;
  zaznam[16] = 1;
  zapis(L"umisteni_okna", REG_BINARY, zaznam);
  EXPECT_EQ(k.cti_umisteni(&u), S_OK);
  EXPECT_EQ(u.left, 10);
  EXPECT_EQ(u.topmost, 1);
  zaznam.resize(24);
  zapis(L"umisteni_okna", REG_BINARY, zaznam);
  EXPECT_TRUE(FAILED(k.cti_umisteni(&u)));
  zaznam.resize(20);
  zapis(L"umisteni_okna", REG_DWORD, zaznam);
  EXPECT_EQ(k.cti_umisteni(&u), E_INVALIDARG);
  k.zavri();
  k.zavri();
  EXPECT_EQ(k.hkey.get(), nullptr);
}

// --- Settings

TEST_F(Registr, NastaveniUkladaPeteHodnotPoBajtech)
{
  nastaveni n;
  n.vychozi_cisla();
  n.slozka = L"C:\\Projekty\\Žluťoučký kůň";
  n.slozka_cil = L"";
  n.vypis = 0;
  n.uloz();

  EXPECT_EQ(hodnota(L"param", REG_DWORD), (std::vector<BYTE>{3, 0, 0, 0}));
  EXPECT_EQ(hodnota(L"slozka", REG_SZ), bajty(n.slozka));
  EXPECT_EQ(hodnota(L"slozka", REG_SZ).size(), 2 * n.slozka.size() + 2);
  EXPECT_EQ(hodnota(L"slozka_cil", REG_SZ).size(), 2u);
  EXPECT_EQ(hodnota(L"vypis", REG_DWORD), (std::vector<BYTE>{0, 0, 0, 0}));
  EXPECT_EQ(hodnota(L"vypis_casu", REG_DWORD), (std::vector<BYTE>{3, 0, 0, 0}));

  nastaveni m;
  m.vychozi_cisla();
  m.slozka = L"jiná";
  m.slozka_cil = L"jiný cíl";
  m.nacti();
  EXPECT_EQ(m.slozka, n.slozka);
  EXPECT_EQ(m.slozka_cil, L"");
  EXPECT_EQ(m.vypis, 0u);
  EXPECT_EQ(m.param, 3u);
  EXPECT_EQ(m.vypis_casu, 3);
}

TEST_F(Registr, NastaveniBezKliceASeSpatnymiTypyDrziVychozi)
{
  nastaveni n;
  n.vychozi_cisla();
  n.slozka = L"D:\\výchozí";
  n.nacti(); // no key at all
  EXPECT_EQ(n.slozka, L"D:\\výchozí");
  EXPECT_EQ(n.param, 3u);

  zapis(L"param", REG_SZ, bajty(L"1"));
  zapis(L"vypis", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0});
  zapis(L"vypis_casu", REG_DWORD, {5, 0, 0, 0});
  zapis(L"slozka", REG_MULTI_SZ, bajty(L"x"));
  zapis(L"slozka_cil", REG_SZ, bajty(L"E:\\cíl"));
  n.nacti();
  EXPECT_EQ(n.param, 3u);
  EXPECT_EQ(n.vypis, 3u);
  EXPECT_EQ(n.vypis_casu, 5);
  EXPECT_EQ(n.slozka, L"D:\\výchozí");
  EXPECT_EQ(n.slozka_cil, L"E:\\cíl");
}

TEST_F(Registr, NahodnaDataNastaveniASeznamuNicNerozbiji)
{
  std::mt19937 gen(7);
  std::uniform_int_distribution<int> bajt(0, 255), delka(0, 64), typ(0, 11);
  const wchar_t* hodnoty[] = {L"param", L"slozka", L"slozka_cil", L"vypis", L"vypis_casu",
                              L"mazane_soubory", L"mazane_slozky"};
  for (int i = 0; i < 400; ++i) {
    for (auto* h : hodnoty) {
      std::vector<BYTE> data(static_cast<size_t>(delka(gen)));
      for (auto& b : data) b = static_cast<BYTE>(bajt(gen) < 50 ? 0 : bajt(gen));
      zapis(h, static_cast<DWORD>(typ(gen)), data);
    }
    nastaveni n;
    n.vychozi_cisla();
    n.nacti();
    seznamy_mazani s;
    for (const auto& x : s.soubory) ASSERT_FALSE(x.empty());
    for (const auto& x : s.slozky) ASSERT_FALSE(x.empty());
  }
}

// --- Cleaning lists

TEST_F(Registr, PrvniStartZapiseVychoziSeznamy)
{
  seznamy_mazani s;
  EXPECT_EQ(s.soubory, (seznam{L".aps", L".ncb", L".sdf", L".db", L"readme.txt", L"thumbs.db"}));
  EXPECT_EQ(s.slozky, (seznam{L"debug", L"ipch", L"release"}));
  auto slozky = hodnota(L"mazane_slozky", REG_MULTI_SZ);
  EXPECT_EQ(slozky.size(), 40u);
  EXPECT_EQ(slozky, test::zakoduj_retezce(s.slozky));
  EXPECT_EQ(hodnota(L"mazane_soubory", REG_MULTI_SZ), test::zakoduj_retezce(s.soubory));
}

TEST_F(Registr, PrazdneSeznamy)
{
  seznamy_mazani s;
  s.soubory.clear();
  s.slozky.clear();
  s.uloz();
  EXPECT_TRUE(hodnota(L"mazane_soubory", REG_MULTI_SZ).empty());
  EXPECT_TRUE(hodnota(L"mazane_slozky", REG_MULTI_SZ).empty());
  // Both empty: the defaults come back and are written back.
  seznamy_mazani znovu;
  EXPECT_EQ(znovu.soubory.size(), 6u);
  EXPECT_EQ(znovu.slozky.size(), 3u);
  EXPECT_EQ(hodnota(L"mazane_slozky", REG_MULTI_SZ).size(), 40u);

  // Only one empty: it stays empty.
  znovu.slozky.clear();
  znovu.soubory = {L".obj"};
  znovu.uloz();
  seznamy_mazani jen_soubory;
  EXPECT_TRUE(jen_soubory.slozky.empty());
  EXPECT_EQ(jen_soubory.soubory, seznam{L".obj"});
}

TEST_F(Registr, SeznamyZPoskozenychHodnot)
{
  // The first entry before an inner double NUL; a list of another type is empty.
  zapis(L"mazane_slozky", REG_MULTI_SZ, bajty(std::wstring(L"x\0\0druha\0\0", 10), false));
  zapis(L"mazane_soubory", REG_SZ, bajty(L".obj"));
  seznamy_mazani s;
  EXPECT_EQ(s.slozky, seznam{L"x"});
  EXPECT_TRUE(s.soubory.empty());

  zapis(L"mazane_slozky", REG_SZ, bajty(L"debug"));
  zapis(L"mazane_soubory", REG_MULTI_SZ, bajty(L".obj", false)); // no terminator at all
  s.nacti();
  EXPECT_TRUE(s.slozky.empty());
  EXPECT_EQ(s.soubory, seznam{L".obj"});

  // Duplicates edited in by hand load as stored.
  zapis(L"mazane_slozky", REG_MULTI_SZ, test::zakoduj_retezce({L"a", L"A", L"a"}));
  s.nacti();
  EXPECT_EQ(s.slozky, (seznam{L"a", L"A", L"a"}));
}

TEST_F(Registr, HledaniAOdebirani)
{
  seznamy_mazani s;
  EXPECT_EQ(s.najdi_slozku(L"DEBUG"), 0);
  EXPECT_EQ(s.najdi_slozku(L" debug"), -1);
  EXPECT_EQ(s.najdi_slozku(L"Release"), 2);
  EXPECT_EQ(s.najdi_soubor(L"THUMBS.DB"), 5);
  EXPECT_EQ(s.najdi_soubor(L".db"), 3);
  EXPECT_EQ(s.najdi_soubor(L""), -1);
  EXPECT_EQ(s.najdi_soubor(nullptr), -1);
  s.odeber_slozku(1);
  EXPECT_EQ(s.slozky, (seznam{L"debug", L"release"}));
  s.vychozi_slozky();
  EXPECT_EQ(s.slozky.size(), 3u);
}

TEST_DITE(odeber_mimo_seznam)
{
  seznamy_mazani s{seznamy_mazani::bez_nacteni{}};
  s.slozky = {L"a"};
  s.odeber_slozku(1);
}

TEST(SeznamyMazani, OdebraniMimoSeznamKonciAplikaci)
{
  auto v = test::spust_dite(L"odeber_mimo_seznam");
  ASSERT_EQ(v.boxy.size(), 1u);
  EXPECT_EQ(v.boxy[0].text, systemovy_text(E_INVALIDARG));
  EXPECT_EQ(v.kod, 1u);
}
