// The test executables' entry point. `--dite <name>` runs one child scenario instead of
// the tests (code that must end its process).
#include <gtest/gtest.h>
#include <cwchar>
#include "frame/aplikace.h"
#include "tests/podpora/podpora.h"

int wmain(int argc, wchar_t** argv)
{
  instance = GetModuleHandleW(nullptr);
  if (argc >= 3 && std::wcscmp(argv[1], L"--dite") == 0) return test::spust_dite_scenar(argv[2]);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
