#include "ClipEditorUnits.h"

#include "FormReader.h"
#include "FormatsAdvance.h"
#include "NxInspectorUnits.h"
#include "OFormat.h"
#include "RangeSlider.h"
#include "RzFramedUnits.h"
#include "VideoEdit.h"
#include "cxBaseUnits.h"
#include "cxButtons.h"
#include "cxContainer.h"
#include "cxLookAndFeelPainters.h"
#include "cxLookAndFeels.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

void StartClipEditorUnits() {
  StartToolkitBaseUnits();
  StartUnits({&dxUxThemeUnit, &dxThemeManagerUnit, &dxOffice11Unit, &cxLookAndFeelsUnit, &cxLookAndFeelPaintersUnit,
              &FormReaderUnit});
  StartFramedUnits();
  StartInspectorUnits();
  StartUnits({&cxContainerUnit, &cxButtonsUnit, &RangeSliderUnit, &VideoEditUnit, &OFormatUnit, &FormatsAdvanceUnit});
}
