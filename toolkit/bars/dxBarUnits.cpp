#include "dxBarUnits.h"

#include "dxBarButtonControl.h"
#include "dxBarButtons.h"
#include "dxBarImageOptions.h"
#include "dxBarItem.h"
#include "dxBarItemLinks.h"
#include "dxBarItemRegistry.h"
#include "dxBarManager.h"
#include "dxBarScreenTips.h"
#include "dxBarToolbar.h"

namespace {
void RegisterBarClasses() {
  RegisterBarManagerProperties();
  RegisterImageOptionsProperties();
  RegisterCategoriesProperties();
  RegisterBarItemProperties();
  RegisterBarItemLinkProperties();
  RegisterBarButtonItems();
  RegisterScreenTipProperties();
  RegisterToolbarProperties();
}
}  // namespace

const TUnitInfo dxBarRegistrationUnit{"dxBarRegistration", RegisterBarClasses, nullptr};

void StartBarUnits() { StartUnits({&dxBarUnit, &dxBarRegistrationUnit, &dxBarButtonControlUnit}); }
