#include "AppWindowsUnits.h"

#include "FormReader.h"
#include "RzFramedUnits.h"
#include "System.h"
#include "cxBaseUnits.h"
#include "cxButtons.h"
#include "cxControls.h"
#include "cxCheckBox.h"
#include "cxContainer.h"
#include "cxEdit.h"
#include "cxEditPaintUtils.h"
#include "cxLabel.h"
#include "cxListView.h"
#include "cxLookAndFeelPainters.h"
#include "cxLookAndFeels.h"
#include "cxMemo.h"
#include "cxProgressBar.h"
#include "cxTextEdit.h"
#include "dxOffice11.h"
#include "dxRibbonUnits.h"
#include "dxSkinsBuiltIn.h"
#include "dxSkinsForm.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"
#include "About.h"
#include "FormatsAdvance.h"
#include "NxInspectorUnits.h"
#include "OFormat.h"
#include "RangeSlider.h"
#include "VideoEdit.h"
#include "Log.h"
#include "MainPreview.h"
#include "Progress.h"
#include "VideoListVw.h"
#include "Main.h"
#include "cxDropDownEdit.h"
#include "cxShellBrowserDialog.h"
#include "cxShellCommon.h"
#include "cxShellListView.h"
#include "cxShellTreeView.h"

void StartAppWindowUnits() {
  StartToolkitBaseUnits();
  StartUnits({&dxUxThemeUnit, &dxThemeManagerUnit, &dxOffice11Unit, &cxLookAndFeelsUnit, &cxLookAndFeelPaintersUnit});
  StartUnits({&cxControlsUnit});
  StartSkinUnits();
  StartUnits({&dxSkinsFormUnit});
  StartFramedUnits();
  StartInspectorUnits();
  StartUnits({&cxContainerUnit, &cxEditPaintUtilsUnit, &cxEditUnit, &cxButtonsUnit, &cxTextEditUnit, &cxMemoUnit,
              &cxLabelUnit, &cxCheckBoxUnit, &cxProgressBarUnit, &cxListViewUnit, &FormReaderUnit});
  StartUnits({&cxDropDownEditUnit, &cxShellCommonUnit, &cxShellTreeViewUnit, &cxShellListViewUnit,
              &cxShellBrowserDialogUnit});
  // The command strip.
  StartRibbonControlUnits();
  // One line per window module.
  StartUnits({&LogUnit});
  StartUnits({&AboutUnit});
  StartUnits({&ProgressUnit});
  StartUnits({&VideoListVwUnit});
  StartUnits({&MainPreviewUnit});
  StartUnits({&RangeSliderUnit, &VideoEditUnit});
  StartUnits({&OFormatUnit, &FormatsAdvanceUnit});
  StartUnits({&MainUnit});
}
