#include "dxBarUnits.h"

#include "dxBarButtonControl.h"
#include "dxBarImageOptions.h"
#include "dxBarItem.h"
#include "dxBarItemRegistry.h"
#include "dxBarManager.h"

namespace {
void RegisterBarClasses() {
  RegisterBarManagerProperties();
  RegisterImageOptionsProperties();
  RegisterCategoriesProperties();
  RegisterBarItemProperties();
}
}  // namespace

const TUnitInfo dxBarRegistrationUnit{"dxBarRegistration", RegisterBarClasses, nullptr};

void StartBarUnits() { StartUnits({&dxBarUnit, &dxBarRegistrationUnit, &dxBarButtonControlUnit}); }
