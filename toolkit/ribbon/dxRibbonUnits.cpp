#include "dxRibbonUnits.h"

#include "dxBarSkin.h"
#include "dxBarUnits.h"
#include "dxRibbon.h"
#include "dxRibbonSkins.h"

void StartRibbonControlUnits() {
  StartUnits({&dxBarSkinUnit, &dxRibbonSkinsUnit});
  StartBarUnits();
  StartUnits({&dxRibbonUnit});
}
