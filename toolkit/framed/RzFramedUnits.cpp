#include "RzFramedUnits.h"

#include "RzBmpBtn.h"
#include "RzButton.h"
#include "RzCommon.h"
#include "RzEdit.h"
#include "RzFrameController.h"
#include "RzPanel.h"
#include "RzRadChk.h"
#include "RzSpnEdt.h"
#include "RzTabs.h"
#include "RzTrkBar.h"

namespace {
void RegisterFramedClasses() {
  RegisterFrameControllerClasses();
  RegisterTrackBarClasses();
  RegisterTabClasses();
  RegisterBmpButtonClasses();
  RegisterPanelClasses();
  RegisterButtonClasses();
  RegisterCheckBoxClasses();
  RegisterEditClasses();
  RegisterSpinEditClasses();
}
}  // namespace

const TUnitInfo RzFramedRegistrationUnit{"RzFramedRegistration", RegisterFramedClasses, nullptr};

void StartFramedUnits() { StartUnits({&RzCommonUnit, &RzFramedRegistrationUnit}); }
