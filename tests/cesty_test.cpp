// How paths are formed and compared.
#include <gtest/gtest.h>
#include "engine/cesty.h"
#include "tests/podpora/podpora.h"

TEST(Cesty, DlouheCestyAPrekryvani)
{
  EXPECT_EQ(dlouha_forma(L"C:\\src"), L"\\\\?\\C:\\src");
  EXPECT_EQ(dlouha_forma(L"\\\\server\\share\\app"), L"\\\\?\\UNC\\server\\share\\app");
  EXPECT_EQ(dlouha_forma(L"\\\\?\\C:\\x"), L"\\\\?\\C:\\x");
  EXPECT_EQ(dlouha_forma(L"C:relativni"), L"");
  EXPECT_EQ(dlouha_forma(L"\\\\.\\C:\\x"), L"");
  EXPECT_EQ(dlouha_forma(L"C:\\" + std::wstring(NEJDELSI_CESTA - 6, L'a')), L"") << "one over the limit";

  std::wstring c = L"\\\\?\\C:\\";
  EXPECT_TRUE(pripoj_nazev(c, L"a"));
  EXPECT_EQ(c, L"\\\\?\\C:\\a") << "no second backslash after a root";
  // The limit counts the separator, the name and the room asked for ("\*" of a listing).
  c = L"\\\\?\\C:\\" + std::wstring(NEJDELSI_CESTA - 12, L'x');
  const std::wstring puvodni = c;
  EXPECT_FALSE(pripoj_nazev(c, L"1234", 2));
  EXPECT_EQ(c, puvodni) << "a path that would be too long is left as it was";
  EXPECT_TRUE(pripoj_nazev(c, L"1234", 0));
  EXPECT_EQ(c.size(), NEJDELSI_CESTA);

  const std::wstring app = L"\\\\?\\C:\\src\\app";
  EXPECT_TRUE(prekryvaji_se(app, L"\\\\?\\c:\\SRC\\App\\"));
  EXPECT_TRUE(prekryvaji_se(app, L"\\\\?\\C:\\src\\app\\zaloha\\app"));
  EXPECT_TRUE(prekryvaji_se(app, L"\\\\?\\C:\\src"));
  EXPECT_TRUE(prekryvaji_se(app, L"\\\\?\\C:\\"));
  EXPECT_FALSE(prekryvaji_se(app, L"\\\\?\\C:\\src\\app2")) << "a prefix counts only at a backslash";
  EXPECT_FALSE(prekryvaji_se(L"\\\\?\\Z:\\a", L"\\\\?\\unix\\a"));

  EXPECT_EQ(cesta_pro_shell(L"\\\\?\\C:\\app\\*.*"), L"C:\\app\\*.*");
  EXPECT_EQ(cesta_pro_shell(L"\\\\?\\UNC\\server\\share"), L"\\\\server\\share");
  EXPECT_EQ(cesta_pro_shell(L"\\\\?\\Volume{0}\\app"), L"");
}

// Slashes become backslashes first; then only a path that names its place goes on.
TEST(Cesty, AbsolutniCestySJednotnymiLomitky)
{
  for (const wchar_t* c : {L"C:\\src", L"z:/t", L"\\\\server\\share", L"//server/share", L"\\\\?\\C:\\x"})
    EXPECT_TRUE(je_absolutni(jednotna_lomitka(c))) << test::utf8(c);
  for (const wchar_t* c : {L".", L"..\\x", L"app", L"/app", L"Z:x", L"", L"\\\\server\\", L"\\\\\\x\\y", L"\\\\.\\C:\\x"})
    EXPECT_FALSE(je_absolutni(jednotna_lomitka(c))) << test::utf8(c);
}

TEST(Cesty, KorenSvazkuAPresnaShoda)
{
  struct {
    const wchar_t* cesta;
    bool koren;
  } const pripady[] = {
      {L"C:\\", true},           {L"C:", true},
      {L"c:\\\\", true},         {L"\\\\?\\Z:\\", true},
      {L"\\\\server\\share", true}, {L"\\\\server\\share\\", true},
      {L"\\\\?\\UNC\\server\\share\\", true}, {L"\\\\?\\Volume{0c1d}\\", true},
      {L"C:\\src", false},       {L"\\\\?\\C:\\src\\", false},
      {L"\\\\server\\share\\app", false}, {L"\\\\?\\UNC\\server\\share\\app", false},
      {L"\\\\?\\Volume{0c1d}\\app", false}, {L"", false},
  };
  for (const auto& p : pripady) EXPECT_EQ(je_koren_svazku(p.cesta), p.koren) << test::utf8(p.cesta);

  EXPECT_TRUE(stejne_presne(L"\\\\?\\Z:\\t\\app\\", L"\\\\?\\Z:\\t\\app"));
  EXPECT_FALSE(stejne_presne(L"\\\\?\\Z:\\t\\APP\\notes.db", L"\\\\?\\Z:\\t\\app\\notes.db"));

}
