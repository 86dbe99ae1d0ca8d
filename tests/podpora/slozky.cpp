// Temporary folders and files in the sandbox, and Linux commands run from Wine.
#include "tests/podpora/podpora.h"

#include <shlobj.h>
#include <cstdlib>
#include <stdexcept>

namespace test {

std::wstring znama_slozka(const GUID& id)
{
  PWSTR p = nullptr;
  std::wstring s;
  if (SHGetKnownFolderPath(id, 0, nullptr, &p) == S_OK) s = p;
  CoTaskMemFree(p);
  return s;
}

std::wstring nova_slozka(const std::wstring& napoveda)
{
  static LONG citac = 0;
  wchar_t cwd[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, cwd);
  // Always a folder of its own: a run of another wine server may have left one of the same
  // name (process ids repeat), and a test must not find another test's files in its folder.
  for (;;) {
    std::wstring s = std::wstring(cwd) + L"\\t" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                     std::to_wstring(InterlockedIncrement(&citac)) + L"_" + napoveda;
    if (CreateDirectoryW(s.c_str(), nullptr)) return s;
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create folder " + utf8(s));
  }
}

void vytvor_soubor(const std::wstring& cesta, const std::string& obsah)
{
  HANDLE h = CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create file " + utf8(cesta));
  DWORD zapsano = 0;
  WriteFile(h, obsah.data(), static_cast<DWORD>(obsah.size()), &zapsano, nullptr);
  CloseHandle(h);
}

void vytvor_slozku(const std::wstring& cesta)
{
  if (!CreateDirectoryW(cesta.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    throw std::runtime_error("cannot create folder " + utf8(cesta));
}

bool existuje(const std::wstring& cesta)
{
  return GetFileAttributesW(cesta.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string unix_cesta(const std::wstring& cesta)
{
  using prevod_t = char*(CDECL*)(LPCWSTR);
  auto prevod = reinterpret_cast<prevod_t>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!prevod) throw std::runtime_error("not running under Wine");
  char* p = prevod(cesta.c_str());
  if (!p) throw std::runtime_error("no unix path for " + utf8(cesta));
  std::string r = p;
  HeapFree(GetProcessHeap(), 0, p);
  return r;
}

int linux_prikaz(const std::string& prikaz)
{
  // In the test prefix drive Z: maps onto the build folder only, so /bin/sh has no Windows
  // path: the build copies the shell to <build>\linux\sh (the test executables lie in
  // <build>\tests), and Wine starts a Linux program by its Windows path. Wine neither keeps
  // the process handle of a Linux program until it ends nor reports its exit code, so the
  // command writes its status into a marker file, which is awaited.
  wchar_t plna[MAX_PATH] = {};
  const std::wstring shell = slozka_programu() + L"\\..\\linux\\sh";
  if (!GetFullPathNameW(shell.c_str(), MAX_PATH, plna, nullptr) || !existuje(plna))
    throw std::runtime_error("no Linux shell in <build>/linux/sh");
  static LONG citac = 0;
  wchar_t cwd[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, cwd);
  const std::wstring znacka = std::wstring(cwd) + L"\\.sh_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                              std::to_wstring(InterlockedIncrement(&citac));
  const std::string u = unix_cesta(znacka);
  const std::string cely = "( " + prikaz + " ); echo $? > '" + u + ".tmp'; mv '" + u + ".tmp' '" + u + "'";

  std::wstring radek = L"\"" + std::wstring(plna) + L"\" -c \"";
  int n = MultiByteToWideChar(CP_UTF8, 0, cely.data(), static_cast<int>(cely.size()), nullptr, 0);
  std::wstring w(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, cely.data(), static_cast<int>(cely.size()), w.data(), n);
  radek += w + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, radek.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    throw std::runtime_error("cannot run the Linux shell");
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  for (int i = 0; i < 6000; ++i) {
    HANDLE h = CreateFileW(znacka.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      char b[32] = {};
      DWORD precteno = 0;
      ReadFile(h, b, sizeof b - 1, &precteno, nullptr);
      CloseHandle(h);
      DeleteFileW(znacka.c_str());
      return std::atoi(b);
    }
    Sleep(5);
  }
  throw std::runtime_error("the Linux shell did not finish");
}

void linux_odkaz(const std::wstring& odkaz, const std::wstring& cil)
{
  if (linux_prikaz("ln -s '" + unix_cesta(cil) + "' '" + unix_cesta(odkaz) + "'") != 0)
    throw std::runtime_error("ln -s failed for " + utf8(odkaz));
}

} // namespace test
