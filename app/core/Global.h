// Start-up and shutdown of the conversion core: the global strings and objects every window reads,
// the global service object that creates and frees them, the application-wide error handler, and
// the program entry's sequence.
#pragma once
#include <string>

#include "Classes.h"
#include "Convert.h"
#include "Formats.h"
#include "VideoList.h"

extern std::string GlobalShortName;
extern std::string GlobalUpdateUrl;
extern std::string GlobalProductTitle;
extern std::string GlobalDeviceList;

extern TFormats* GlobalFormats;
extern TVideoList* GlobalVideoList;
extern TMediaInfo* GlobalMediaInfo;
extern TMediaPlayer* GlobalMediaPlayer;
extern TMediaConverter* GlobalMediaConverter;

// The entry's first step: the short product name, the update service, the title and the device list.
void SetGlobalStrings();

// The log window's part of the error handler: shows the engine log's lines modally. The windows
// layer sets it once the log window exists; until then the handler shows no log.
extern TEvent<void(TStrings* Lines)> GlobalShowLog;

// Owns the engine log and the five global objects for the run.
class TInitGlobal : public TObject {
  CALDERAN_CLASS(TInitGlobal)
  // Names a temporary engine log, sets up the log and the codec manager (FinalException "Failed to
  // initialize convert library!" when that fails), then creates the profile selection, the input
  // list, the probe, the player and the converter.
  TInitGlobal();
  // Frees what FreeGlobals has not freed (errors cannot leave a destructor), then drops the log.
  ~TInitGlobal() override;

  // Frees the global objects in the order profile selection (writes [Formats]), input list (writes
  // [Files]), probe (closes), player (stops), converter (cancels). The first error stops the
  // shutdown and reaches the caller.
  void FreeGlobals();
  // The application's handler of exceptions no window handled: the error box, then the engine log
  // in the log window; the engine log always goes on in the same file afterwards. E may be null.
  void AppException(TObject* Sender, Exception* E);
  // Closes the engine log and deletes its file.
  void DropLog();

  std::string LogFileName;
};

// The text the error handler shows for E.
std::string AppExceptionText(const Exception* E);

// The program entry after the module start-up (the units of the framework's Forms module
// included): the global strings, the application object, the global service object and its error
// handler, the windows (CreateForms: main window, About box, clip editor, progress window, log
// window), the message loop and the shutdown. A failure shows its message in a plain box, tells the
// application to end and skips the shutdown (nothing is written). Returns the exit code.
int RunConverter(void (*CreateForms)());
