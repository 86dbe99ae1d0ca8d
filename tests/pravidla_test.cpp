// The small rules of size and time, row by row at their boundaries: when the clean proves a
// batch of deletions and how, and how long the log waits between two paints.
#include <gtest/gtest.h>
#include <windows.h>
#include "engine/cisteni.h"
#include "ui/vypis_kresleni.h"

TEST(Pravidla, DavkaSmazanychSouboru)
{
  struct radek {
    size_t pocet;
    ULONGLONG stari_ms, vypis_ms;
    bool hotova;
  };
  const radek tabulka[] = {
      {0, 100000, 0, false},                        // nothing to prove
      {1, 99, 0, false},      {1, 100, 0, true},    // 100 ms
      {2048, 99, 0, false},   {2048, 100, 0, true}, // many files wait for the time as well
      {4095, 0, 0, false},    {4096, 0, 0, true},   // 4,096 files at once
      {9, 99, 12, false},     {9, 100, 12, true},   // 8 x 12 ms is below the 100 ms
      {9, 103, 13, false},    {9, 104, 13, true},   // 8 x 13 ms is above
      {9, 1999, 250, false},  {9, 2000, 250, true}, // a slow listing: 8 x its time
      {4096, 0, 250, true},                         // the size counts however slow
  };
  for (const radek& r : tabulka)
    EXPECT_EQ(davka_hotova(r.pocet, r.stari_ms, r.vypis_ms), r.hotova)
        << r.pocet << " files, " << r.stari_ms << " ms old, listing " << r.vypis_ms << " ms";
  // Up to 8 files are proven one by one, from 9 on by one listing.
  EXPECT_FALSE(davka_vypisem(8));
  EXPECT_TRUE(davka_vypisem(9));
}

TEST(Pravidla, PeriodaKresleniVypisu)
{
  const DWORD tabulka[][2] = {
      {0, 100},   {5, 100},   {6, 114}, // 19 x the paint, at least 100 ms
      {10, 190},  {11, 200},            // at most 200 ms
      {199, 200}, {200, 200}, {0xFFFFFFFF, 200}, // a long paint, even a wrapped tick count
  };
  for (const auto& r : tabulka) EXPECT_EQ(perioda_kresleni(r[0]), r[1]) << "a paint of " << r[0] << " ms";
}
