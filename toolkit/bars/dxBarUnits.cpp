#include "dxBarUnits.h"

#include "dxBarImageOptions.h"
#include "dxBarItem.h"
#include "dxBarItemRegistry.h"
#include "dxBarManager.h"
#include "dxBarScreenTips.h"

namespace {
void RegisterBarClasses() {
  RegisterBarManagerProperties();
  RegisterImageOptionsProperties();
  RegisterCategoriesProperties();
  RegisterBarItemProperties();
  RegisterScreenTipProperties();
}
}  // namespace

const TUnitInfo dxBarRegistrationUnit{"dxBarRegistration", RegisterBarClasses, nullptr};

void StartBarUnits() { StartUnits({&dxBarUnit, &dxBarRegistrationUnit}); }
