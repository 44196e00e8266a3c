#include "RzFramedUnits.h"

#include "RzCommon.h"
#include "RzFrameController.h"
#include "RzTabs.h"
#include "RzTrkBar.h"

namespace {
void RegisterFramedClasses() {
  RegisterFrameControllerClasses();
  RegisterTrackBarClasses();
  RegisterTabClasses();
}
}  // namespace

const TUnitInfo RzFramedRegistrationUnit{"RzFramedRegistration", RegisterFramedClasses, nullptr};

void StartFramedUnits() { StartUnits({&RzCommonUnit, &RzFramedRegistrationUnit}); }
