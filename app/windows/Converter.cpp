// The program entry: every module's start-up in layer order (framework, toolkit, skins, windows),
// then the conversion core's run of the application with the windows created from their stored
// forms, then every module's shut-down in reverse.
#include <windows.h>

#include "About.h"
#include "AppWindowsUnits.h"
#include "Forms.h"
#include "Global.h"
#include "Log.h"
#include "Main.h"
#include "Progress.h"
#include "VideoEdit.h"

namespace {

// The main window first: it becomes the application's main window.
void CreateForms() {
  Application->CreateForm(FormMain);
  Application->CreateForm(FormAbout);
  Application->CreateForm(FormVideoEdit);
  Application->CreateForm(FormProgress);
  Application->CreateForm(FormLog);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  StartAppWindowUnits();
  const int code = RunConverter(&CreateForms);
  StopUnits();
  return code;
}
