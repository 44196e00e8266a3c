#include "cxBaseUnits.h"

#include "Classes.h"
#include "Forms.h"
#include "Graphics.h"
#include "SysUtils.h"
#include "cxClasses.h"
#include "cxControlsRoutines.h"
#include "cxDWMApi.h"
#include "cxFormats.h"
#include "cxGeometry.h"
#include "cxGraphics.h"
#include "cxGraphicsRoutines.h"
#include "cxStyles.h"
#include "cxValueTypes.h"
#include "dxGDIPlusAPI.h"
#include "dxGDIPlusClasses.h"

void StartToolkitBaseUnits() {
  StartUnits({
      // the framework modules these build on (a unit starts once, so listing them is harmless)
      &SysUtilsUnit,
      &ClassesUnit,
      &GraphicsUnit,
      &ControlsUnit,
      &MenusUnit,
      &FormsUnit,
      // this layer: GDI+ and the PNG picture first, so that their finish procedures run last
      &dxGDIPlusAPIUnit,
      &dxGDIPlusClassesUnit,
      &cxGeometryUnit,
      &cxClassesUnit,
      &cxControlsRoutinesUnit,
      &cxGraphicsUnit,
      &cxGraphicsRoutinesUnit,
      &cxValueTypesUnit,
      &cxDWMApiUnit,
      &cxFormatsUnit,
      &cxStylesUnit,
  });
}
