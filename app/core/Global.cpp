#include "Global.h"

#include "CodecMgr.h"
#include "Exception.h"
#include "Forms.h"
#include "GlobalFun.h"
#include "LibUtil.h"
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CLASS(TInitGlobal, TObject)

constinit std::string GlobalShortName;
constinit std::string GlobalUpdateUrl;
constinit std::string GlobalProductTitle;
constinit std::string GlobalDeviceList;

TFormats* GlobalFormats = nullptr;
TVideoList* GlobalVideoList = nullptr;
TMediaInfo* GlobalMediaInfo = nullptr;
TMediaPlayer* GlobalMediaPlayer = nullptr;
TMediaConverter* GlobalMediaConverter = nullptr;

constinit TEvent<void(TStrings* Lines)> GlobalShowLog;

void SetGlobalStrings() {
  GlobalShortName = "Brennow";
  GlobalUpdateUrl = "http://update.calderan.example/srv/update.php";
  GlobalProductTitle = "Calderan Studio";
  GlobalDeviceList = "iPhone,MP3,AAC,WAV,M4A";
}

namespace {

// Frees one global object; an error its destructor kept stops the shutdown here.
template <class T>
void FreeGlobal(T*& global) {
  if (!global) return;
  T* object = global;
  global = nullptr;
  ClearDestructorError();
  delete object;
  RaiseDestructorError();
}

// Reopens the engine log however the log step ends.
struct TLogReopener {
  const std::string& FileName;
  ~TLogReopener() { LogSetFileByName(FileName.c_str()); }
};

}  // namespace

TInitGlobal::TInitGlobal() {
  try {
    LogFileName = MakeTempFileName("log");
    LogSetFileByName(LogFileName.c_str());
    LogSetLevel(2);
    CodecMgrInit((ProgramFolder() + "Codec").c_str());
  } catch (...) {
    DropLog();
    throw FinalException("Failed to initialize convert library!");
  }
  try {
    GlobalFormats = new TFormats(GlobalDeviceList);
    GlobalVideoList = new TVideoList;
    GlobalMediaInfo = new TMediaInfo;
    GlobalMediaPlayer = new TMediaPlayer;
    GlobalMediaConverter = new TMediaConverter;
  } catch (...) {
    DropLog();  // no destructor runs for a failed construction
    throw;
  }
}

TInitGlobal::~TInitGlobal() {
  try {
    FreeGlobals();
  } catch (...) {
  }
  DropLog();
}

// The log lives in the temporary folder under a name nobody else knows: one run's log left
// behind would never be read again, and every run would add one.
void TInitGlobal::DropLog() {
  LogClose();
  if (!LogFileName.empty()) DeleteFileA(LogFileName.c_str());
}

void TInitGlobal::FreeGlobals() {
  FreeGlobal(GlobalFormats);
  FreeGlobal(GlobalVideoList);
  FreeGlobal(GlobalMediaInfo);
  FreeGlobal(GlobalMediaPlayer);
  FreeGlobal(GlobalMediaConverter);
}

std::string AppExceptionText(const Exception* E) {
  if (!E) return "Unknow exception";
  if (E->Is<EExternal>()) return "Unknown external exception!";
  return E->Message();
}

void TInitGlobal::AppException(TObject* /*Sender*/, Exception* E) {
  ShowError(AppExceptionText(E));
  LogClose();
  TLogReopener reopen{LogFileName};
  // A log the engine never wrote (or that cannot be read) is shown empty rather than failing here.
  TStringList lines;
  try {
    if (FileExists(LogFileName)) lines.LoadFromFile(LogFileName);
  } catch (const Exception&) {
    lines.Clear();
  }
  if (GlobalShowLog) GlobalShowLog(&lines);
}

namespace {
void ShowStartupError(const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), GlobalProductTitle.c_str(), MB_OK);
}
}  // namespace

int RunConverter(void (*CreateForms)()) {
  SetGlobalStrings();
  TInitGlobal* init = nullptr;
  try {
    Application->Initialize();
    // Not freed when start-up fails: the settings stay as they were.
    init = new TInitGlobal;
    Application->OnException = MakeEvent(init, &TInitGlobal::AppException);
    if (CreateForms) CreateForms();
    Application->Run();
    Application->OnException = nullptr;
    init->FreeGlobals();
    delete init;
    return 0;
  } catch (const Exception& e) {
    ShowStartupError(e.Message());
  } catch (...) {
    ShowStartupError("Failed to initialize(Unknown)");
  }
  if (init) init->DropLog();
  Application->Terminate();
  return 1;
}
