// Times loading one skin from its stream and binding it for the painters (TdxSkin::LoadFromStream,
// then a TdxSkinLookAndFeelPainterInfo over it), and prints the milliseconds per skin. Two skins:
// the tests' small skin as it is, and the same skin completed by a first binding (every group and
// element the painters use present, as in a full skin). Usage: skin_bench.exe [rounds]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "cxBaseUnits.h"
#include "cxLookAndFeelPainters.h"
#include "cxLookAndFeels.h"
#include "dxOffice11.h"
#include "dxSkinInfo.h"
#include "dxSkinsTestSkin.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct TTimes {
  double Load = 0, Bind = 0;
};

void LoadAndBind(const std::string& bytes, TTimes& times) {
  LARGE_INTEGER start, loaded, bound;
  QueryPerformanceCounter(&start);
  auto* skin = new TdxSkin();
  testskin::LoadSkin(skin, bytes);
  QueryPerformanceCounter(&loaded);
  TdxSkinLookAndFeelPainterInfo info(skin);  // binds; frees the skin with itself
  QueryPerformanceCounter(&bound);
  times.Load += Milliseconds(start, loaded);
  times.Bind += Milliseconds(loaded, bound);
}

void Report(const char* name, const std::string& bytes, int rounds) {
  TTimes warmUp, times;
  LoadAndBind(bytes, warmUp);
  for (int i = 0; i < rounds; ++i) LoadAndBind(bytes, times);
  std::printf("%-15s %6zu bytes: %7.2f ms to load and bind (load %.2f, bind %.2f; %d rounds)\n", name, bytes.size(),
              (times.Load + times.Bind) / rounds, times.Load / rounds, times.Bind / rounds, rounds);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  StartToolkitBaseUnits();
  StartUnits({&dxUxThemeUnit, &dxThemeManagerUnit, &dxOffice11Unit, &cxLookAndFeelsUnit, &cxLookAndFeelPaintersUnit,
              &dxSkinsCoreUnit});
  if (!IsGdiPlusAvailable()) {
    std::printf("GDI+ is not available: skins are not read\n");
    return 1;
  }
  const std::string testBytes = testskin::SaveSkin(testskin::MakeTestSkin().get());
  TdxSkinInfo completed(testskin::MakeTestSkin().release());
  const std::string completedBytes = testskin::SaveSkin(completed.GetSkin());
  Report("test skin", testBytes, rounds);
  Report("completed skin", completedBytes, rounds);
  StopUnits();
  return 0;
}
