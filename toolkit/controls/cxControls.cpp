// The control unit: groups the controls' child components with the controls (they are streamed
// with them) and, at shut-down, frees the settings controller; the routines unit below it frees the
// shared hidden windows and timers after it.
#include "cxControls.h"

#include "cxControlsSettings.h"

namespace {

void InitializeControls() { GroupDescendentsWith(TcxControlChildComponent::StaticClass(), TControl::StaticClass()); }

void FinalizeControls() { CloseSettingsController(); }

}  // namespace

constinit const TUnitInfo cxControlsUnit{"cxControls", &InitializeControls, &FinalizeControls};
