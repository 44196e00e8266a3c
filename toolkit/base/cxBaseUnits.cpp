#include "cxBaseUnits.h"

#include "Classes.h"
#include "Forms.h"
#include "Graphics.h"
#include "SysUtils.h"
#include "cxClasses.h"
#include "cxControls.h"
#include "cxFormats.h"
#include "cxGeometry.h"
#include "cxGraphics.h"
#include "cxGraphicsRoutines.h"

void StartToolkitBaseUnits() {
  StartUnits({
      // the framework modules these build on (a unit starts once, so listing them is harmless)
      &SysUtilsUnit,
      &ClassesUnit,
      &GraphicsUnit,
      &ControlsUnit,
      &MenusUnit,
      &FormsUnit,
      // this layer
      &cxGeometryUnit,
      &cxClassesUnit,
      &cxControlsUnit,
      &cxGraphicsUnit,
      &cxGraphicsRoutinesUnit,
      &cxFormatsUnit,
  });
}
