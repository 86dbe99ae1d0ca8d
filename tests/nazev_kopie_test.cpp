// The new folder's name and date suffix, and the operations' clock.
#include <gtest/gtest.h>
#include "engine/cesty.h"
#include "engine/nazev_kopie.h"
#include "tests/podpora/podpora.h"

TEST(NazevKopie, UplynuleSekundyIPoPreteceniCitace)
{
  EXPECT_EQ(sekundy_mezi(5000, 5999), 0u);
  EXPECT_EQ(sekundy_mezi(5000, 6000), 1u);
  EXPECT_EQ(sekundy_mezi(0, 59999), 59u);
  EXPECT_EQ(sekundy_mezi(0xFFFFFF00u, 0x2E7u), 0u);
  EXPECT_EQ(sekundy_mezi(0xFFFFFF00u, 0x2E8u), 1u);
  EXPECT_EQ(sekundy_mezi(0xFFFF0000u, 0x0001D4C0u), 185u);
}

TEST(NazevKopie, NazevACestaNoveSlozky)
{
  std::wstring n;
  EXPECT_EQ(nazev_slozky(L"C:\\src\\app", n), 0);
  EXPECT_EQ(n, L"app");
  EXPECT_EQ(nazev_slozky(L"\\\\server\\share", n), 0);
  EXPECT_EQ(n, L"share");
  for (const wchar_t* spatne : {L"C:\\", L"C:", L"", L"C:\\src\\app\\", L"relativni", L"C:/src/app"})
    EXPECT_EQ(nazev_slozky(spatne, n), 1) << test::utf8(spatne);
  EXPECT_FALSE(nazev_pouzitelny(L"..")) << "C:\\src\\app\\.. would make the target the location's parent";
  EXPECT_FALSE(nazev_pouzitelny(L"."));
  EXPECT_FALSE(nazev_pouzitelny(L"app."));
  EXPECT_TRUE(nazev_pouzitelny(L"můj projekt.v2"));

  std::wstring s = L"D:\\archiv\\\\\\";
  EXPECT_EQ(odstranit_koncova_lomitka(s), 3u);
  EXPECT_EQ(s, L"D:\\archiv");
  EXPECT_EQ(cilova_cesta(L"D:\\", L"app"), L"D:\\app");

  SYSTEMTIME t{};
  t.wDay = 6, t.wMonth = 12, t.wYear = 2026, t.wHour = 7, t.wMinute = 5, t.wSecond = 9;
  EXPECT_EQ(nazev_kopie(L"app", false, 3, t), L"app");
  EXPECT_EQ(nazev_kopie(L"app", true, 1, t), L"app 6.12.2026");
  EXPECT_EQ(nazev_kopie(L"app", true, 2, t), L"app 6.12.2026 07-05");
  EXPECT_EQ(nazev_kopie(L"app", true, 3, t), L"app 6.12.2026 7h 5m");
  EXPECT_EQ(nazev_kopie(L"app", true, 4, t), L"app 6.12.2026 07-05-09");
  EXPECT_EQ(nazev_kopie(L"app", true, 5, t), L"app 6.12.2026 7h 5m 9s");
  EXPECT_EQ(nazev_kopie(L"app", true, 7, t), L"app 6.12.2026");
  t.wDay = 1, t.wMonth = 1, t.wYear = 2027, t.wHour = 0, t.wMinute = 0, t.wSecond = 7;
  EXPECT_EQ(pripona_data(t, 5), L" 1.1.2027 0h 0m 7s");
  t.wHour = 9, t.wMinute = 3;
  EXPECT_EQ(cast_casu(t, 2), L" 09-03");
}
