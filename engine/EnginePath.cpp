#include "EnginePath.h"
#include <windows.h>
#include <vector>

bool EngineUnixPath(const char* windowsPath, std::string& unixPath) {
  if (!windowsPath || !*windowsPath) return false;
  int wideLength = MultiByteToWideChar(CP_ACP, 0, windowsPath, -1, nullptr, 0);
  if (wideLength <= 0) return false;
  std::vector<WCHAR> wide(wideLength);
  if (MultiByteToWideChar(CP_ACP, 0, windowsPath, -1, wide.data(), wideLength) != wideLength)
    return false;
  char* mapped = wine_get_unix_file_name(wide.data());
  if (!mapped) return false;
  unixPath = mapped;
  HeapFree(GetProcessHeap(), 0, mapped);
  return !unixPath.empty();
}
