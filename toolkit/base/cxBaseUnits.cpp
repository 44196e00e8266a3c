#include "cxBaseUnits.h"

#include "Classes.h"
#include "Graphics.h"
#include "SysUtils.h"
#include "cxClasses.h"
#include "cxGeometry.h"
#include "cxGraphics.h"

void StartToolkitBaseUnits() {
  StartUnits({
      // the framework modules these build on (a unit starts once, so listing them is harmless)
      &SysUtilsUnit,
      &ClassesUnit,
      &GraphicsUnit,
      // this layer
      &cxGeometryUnit,
      &cxClassesUnit,
      &cxGraphicsUnit,
  });
}
