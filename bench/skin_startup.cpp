// The program's module start-up and shut-down, with or without the skin units, as one whole process:
// bench/skin_startup runs it both ways and compares. Usage: skin_startup.exe [--without-skins]
#include <windows.h>

#include <cstring>

#include "cxBaseUnits.h"
#include "cxLookAndFeelPainters.h"
#include "cxLookAndFeels.h"
#include "dxOffice11.h"
#include "dxSkinsBuiltIn.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

int main(int argc, char** argv) {
  const bool withSkins = !(argc > 1 && std::strcmp(argv[1], "--without-skins") == 0);
  StartToolkitBaseUnits();
  StartUnits({&dxUxThemeUnit, &dxThemeManagerUnit, &dxOffice11Unit, &cxLookAndFeelsUnit, &cxLookAndFeelPaintersUnit});
  if (withSkins) StartSkinUnits();
  const int registered = ExtendedStylePainters()->Count();
  StopUnits();
  return withSkins && registered != 21 ? 1 : 0;
}
