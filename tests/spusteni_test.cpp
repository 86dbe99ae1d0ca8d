// The start-up pieces that can be run in a test process.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include "frame/aplikace.h"
#include "tests/podpora/aplikace_test.h"
#include "tests/podpora/podpora.h"

TEST_DITE(spust_com_uz_bezi)
{
  CoInitialize(nullptr); // the program's own CoInitialize then answers S_FALSE
  g_aplikace.nastav(new test::aplikace_test);
  app().spust();
}

TEST(Spust, ComInicializovanyPredemJeFatalni)
{
  auto v = test::spust_dite(L"spust_com_uz_bezi");
  ASSERT_FALSE(v.vyprsel);
  EXPECT_EQ(v.kod, 1u);
  ASSERT_EQ(v.boxy.size(), 1u);
  EXPECT_EQ(v.boxy[0].titulek, L"Error");
}

TEST(Spust, UvolniDvakratUvolniKazdouVecJednou)
{
  test::aplikace_test a;
  a.spust_gdiplus();
  const ULONG_PTR token = a.gdiplus_token;
  EXPECT_NE(token, 0u);
  a.spust_gdiplus();
  EXPECT_EQ(a.gdiplus_token, token) << "GDI+ is started once";
  a.nacti_ikony();
  ASSERT_NE(a.ikona_velka, nullptr);
  ASSERT_NE(a.ikona_mala, nullptr);
  ICONINFO ii{};
  ASSERT_TRUE(GetIconInfo(a.ikona_mala, &ii));
  BITMAP bm{};
  GetObjectW(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, GetSystemMetrics(SM_CXSMICON));
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  if (ii.hbmMask) DeleteObject(ii.hbmMask);

  a.uvolni();
  EXPECT_EQ(a.ikona_velka, nullptr);
  EXPECT_EQ(a.ikona_mala, nullptr);
  EXPECT_EQ(a.gdiplus_token, 0u);
  a.uvolni(); // and the destructor a third time: nothing left, nothing fatal
}
