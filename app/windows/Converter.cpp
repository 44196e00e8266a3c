// The program entry: module start-up in layer order, then the conversion core's run of the
// application, then module shut-down in reverse.
#include <windows.h>

#include <cstdio>

#include "Global.h"
#include "XMLFormats.h"
#include "cxBaseUnits.h"
#include "cxLookAndFeelPainters.h"
#include "cxLookAndFeels.h"
#include "dxOffice11.h"
#include "dxSkinsBuiltIn.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

namespace {

void StartProgramUnits() {
  StartToolkitBaseUnits();
  StartUnits({&dxUxThemeUnit, &dxThemeManagerUnit, &dxOffice11Unit, &cxLookAndFeelsUnit, &cxLookAndFeelPaintersUnit});
  StartSkinUnits();
}

// The application windows are not built yet: in their place the entry tells what start-up loaded,
// so that a run shows the catalogue, the selection and the folders the windows would show.
void ReportStartup() {
  TXMLFormatsType* catalogue = GlobalFormats->XMLFormats();
  std::printf("%s: start-up done\n", GlobalProductTitle.c_str());
  std::printf("profiles offered (device list \"%s\"):", GlobalDeviceList.c_str());
  for (int i = 0; i < catalogue->Count(); ++i) std::printf(" %s", catalogue->Format(i)->Name().c_str());
  FormatDetail detail = GlobalFormats->GetCurrentOutputParams();
  std::printf("\ncurrent profile: %s (.%s), video codec %d %dx%d at %d bit/s, audio codec %d %d Hz %d ch at %d bit/s\n",
              catalogue->Format(GlobalFormats->GetSelection().Format)->Name().c_str(), detail.FileExt.c_str(),
              detail.VCodecID, detail.Width, detail.Height, detail.VBitrate, detail.ACodecID, detail.SampleRate,
              detail.Channels, detail.ABitrate);
  std::printf("input folder \"%s\", output folder \"%s\"\n", GlobalVideoList->InitDir().c_str(),
              GlobalVideoList->OutDir().c_str());
  std::fflush(stdout);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  StartProgramUnits();
  int code = RunConverter(&ReportStartup);
  StopUnits();
  return code;
}
