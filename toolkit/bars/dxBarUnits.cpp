#include "dxBarUnits.h"

#include "cxControls.h"
#include "dxBarButtonControl.h"
#include "dxBarButtons.h"
#include "dxBarEditItems.h"
#include "dxBarExtItems.h"
#include "dxBarImageOptions.h"
#include "dxBarItem.h"
#include "dxBarItemLinks.h"
#include "dxBarItemRegistry.h"
#include "dxBarManager.h"
#include "dxBarScreenTips.h"
#include "dxBarStaticControls.h"
#include "dxBarPopupMenu.h"
#include "dxBarContainerItems.h"
#include "dxBarSubItem.h"
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

// The control unit first: the bar system's hint windows and controls stand on it (a unit starts once).
void StartBarUnits() {
  StartUnits({&cxControlsUnit, &dxBarUnit, &dxBarRegistrationUnit, &dxBarButtonControlUnit, &dxBarStaticControlsUnit,
              &dxBarExtItemsUnit, &dxBarEditItemsUnit, &dxBarSubItemUnit, &dxBarContainerItemsUnit, &dxBarPopupMenuUnit});
}
