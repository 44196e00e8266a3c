#include "Global.h"

#include <functional>
#include <string>
#include <vector>

#include "CoreTestSupport.h"
#include "FakeEngine.h"
#include "Forms.h"
#include "IniFiles.h"
#include "SysUtils.h"
#include "calderan_test.h"

namespace {

using Calls = std::vector<std::string>;

// Frees what a failed start-up leaves behind, without writing the settings.
void DropGlobals() {
  delete GlobalFormats;
  delete GlobalVideoList;
  delete GlobalMediaInfo;
  delete GlobalMediaPlayer;
  delete GlobalMediaConverter;
  GlobalFormats = nullptr;
  GlobalVideoList = nullptr;
  GlobalMediaInfo = nullptr;
  GlobalMediaPlayer = nullptr;
  GlobalMediaConverter = nullptr;
  RemoveSettings();
}

class StartUp : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartUnits({&SysUtilsUnit, &ClassesUnit, &GraphicsUnit, &ControlsUnit, &FormsUnit}); }
  void SetUp() override {
    Fake().Reset();
    RemoveSettings();
    SetGlobalStrings();
  }
  void TearDown() override {
    DropGlobals();
    GlobalShowLog = nullptr;
  }
};

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

TEST_F(StartUp, GlobalStrings) {
  EXPECT_EQ(GlobalShortName, "Brennow");
  EXPECT_EQ(GlobalProductTitle, "Calderan Studio");
  EXPECT_EQ(GlobalDeviceList, "iPhone,MP3,AAC,WAV,M4A");
  EXPECT_NE(GlobalUpdateUrl.find("/srv/update.php"), std::string::npos);
}

TEST_F(StartUp, EngineLogCodecManagerAndTheGlobalObjects) {
  TInitGlobal init;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  EXPECT_EQ(init.LogFileName.rfind(std::string(temp) + "log", 0), 0u) << init.LogFileName;
  EXPECT_TRUE(FileExists(init.LogFileName));  // the name stays reserved
  EXPECT_EQ(Fake().Calls, (Calls{"LogSetFileByName(" + Quoted(init.LogFileName) + ")", "LogSetLevel(2)",
                                 "CodecMgrInit(" + Quoted(ProgramFolder() + "Codec") + ")"}));
  ASSERT_NE(GlobalFormats, nullptr);
  ASSERT_NE(GlobalVideoList, nullptr);
  ASSERT_NE(GlobalMediaInfo, nullptr);
  ASSERT_NE(GlobalMediaPlayer, nullptr);
  ASSERT_NE(GlobalMediaConverter, nullptr);
  EXPECT_EQ(GlobalFormats->XMLFormats()->Count(), 5);
  DeleteFileA(init.LogFileName.c_str());
}

TEST_F(StartUp, ShutdownWritesTheSettingsAndStopsTheEngine) {
  {
    TInitGlobal init;
    Fake().Calls.clear();
    init.FreeGlobals();
    // Even when no job and no preview ran.
    EXPECT_EQ(Fake().Calls, (Calls{"MediaInfo_Close()", "MediaPlayer_Stop()", "MediaConv_Cancel()"}));
    EXPECT_EQ(GlobalFormats, nullptr);
    EXPECT_EQ(GlobalMediaConverter, nullptr);
    DeleteFileA(init.LogFileName.c_str());
  }
  const std::string text = ReadSettings();
  for (const char* key : {"[Formats]", "Format=0", "VCodec=0", "VBitrate=4", "Size=3", "Fps=3", "Aspect=0",
                          "ABitrate=5", "SampleRate=2", "Channels=1", "[Files]", "InitDir=", "OutDir="})
    EXPECT_NE(text.find(key), std::string::npos) << key << " in\n" << text;
  EXPECT_LT(text.find("[Formats]"), text.find("[Files]"));  // the selection is written first
}

TEST_F(StartUp, ShutdownErrorStopsTheShutdownAndReachesTheCaller) {
  TInitGlobal init;
  Fake().Status["MediaPlayer_Stop"] = 7;
  try {
    init.FreeGlobals();
    FAIL();
  } catch (const EPlayException& e) {
    EXPECT_EQ(e.Message(), "Playback occured exception\r\nUnknown media error 7");
  }
  EXPECT_EQ(GlobalMediaPlayer, nullptr);
  EXPECT_NE(GlobalMediaConverter, nullptr);  // not reached
  DeleteFileA(init.LogFileName.c_str());
}

TEST_F(StartUp, UnwritableSettingsFileStopsTheShutdownWithItsText) {
  TInitGlobal init;
  // A folder in the file's place (a read-only file does not stop the administrator these tests run as).
  ASSERT_TRUE(CreateDirectoryA(SettingsPath().c_str(), nullptr));
  try {
    init.FreeGlobals();
    ADD_FAILURE() << "writing the settings must fail";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + SettingsPath());
  }
  EXPECT_EQ(GlobalFormats, nullptr);
  EXPECT_NE(GlobalVideoList, nullptr);  // the shutdown stopped at the profile selection
  RemoveDirectoryA(SettingsPath().c_str());
  DeleteFileA(init.LogFileName.c_str());
}

struct TLogWindow {
  std::vector<std::string> Shown;
  bool Raise = false;
  void Show(TStrings* lines) {
    Fake().Calls.push_back("log window");
    Shown.clear();
    for (int i = 0; i < lines->Count(); ++i) Shown.push_back(lines->Get(i));
    if (Raise) throw Exception("the log window failed");
  }
};

TEST_F(StartUp, ErrorHandlerShowsTheErrorThenTheLogAndReopensIt) {
  TInitGlobal init;
  TLogWindow window;
  GlobalShowLog = MakeEvent(&window, &TLogWindow::Show);
  Exception plain("Something broke");
  EAccessViolation fault("Access violation at address 0000000000401000. Read of address 0000000000000000");
  EDivByZero division("Division by zero");
  struct Case {
    Exception* e;
    const char* text;
  } cases[] = {{&plain, "Something broke"},
               {nullptr, "Unknow exception"},
               {&fault, "Unknown external exception!"},
               {&division, "Unknown external exception!"}};
  for (const Case& c : cases) {
    {
      TStringList log;
      log.Add("12:00:01 job started");
      log.Add("12:00:02 encoder failed");
      log.SaveToFile(init.LogFileName);
    }
    Fake().Calls.clear();
    TMessageBoxCatcher boxes;
    init.AppException(nullptr, c.e);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].Caption, "Error");
    EXPECT_EQ(boxes.Boxes()[0].Text, c.text);
    EXPECT_EQ(Fake().Calls, (Calls{"LogClose()", "log window", "LogSetFileByName(" + Quoted(init.LogFileName) + ")"}));
    EXPECT_EQ(window.Shown, (std::vector<std::string>{"12:00:01 job started", "12:00:02 encoder failed"}));
  }
  DeleteFileA(init.LogFileName.c_str());
}

TEST_F(StartUp, ErrorHandlerWithoutALogFileStillReopensTheLog) {
  TInitGlobal init;
  TLogWindow window;
  GlobalShowLog = MakeEvent(&window, &TLogWindow::Show);
  DeleteFileA(init.LogFileName.c_str());  // the engine never wrote it
  Fake().Calls.clear();
  TMessageBoxCatcher boxes;
  Exception e("Something broke");
  EXPECT_NO_THROW(init.AppException(nullptr, &e));
  EXPECT_TRUE(window.Shown.empty());
  EXPECT_EQ(Fake().Calls.back(), "LogSetFileByName(" + Quoted(init.LogFileName) + ")");

  window.Raise = true;  // a failing log window: the log is reopened all the same
  Fake().Calls.clear();
  EXPECT_THROW(init.AppException(nullptr, &e), Exception);
  EXPECT_EQ(Fake().Calls.back(), "LogSetFileByName(" + Quoted(init.LogFileName) + ")");

  GlobalShowLog = nullptr;  // no log window yet
  Fake().Calls.clear();
  EXPECT_NO_THROW(init.AppException(nullptr, &e));
  EXPECT_EQ(Fake().Calls, (Calls{"LogClose()", "LogSetFileByName(" + Quoted(init.LogFileName) + ")"}));
}

// The program entry, with what the windows layer's form creation sees recorded.
std::vector<std::string>& Steps() {
  static std::vector<std::string> steps;
  return steps;
}
// A window whose handler really dereferences a null pointer when Win32 calls it.
int* volatile nowhere = nullptr;
struct TFaultingHandler {
  HWND window = nullptr;
  void Method(TMessage& m) { m.Result = m.Msg == WM_USER ? *nowhere : DefWindowProcA(window, m.Msg, m.WParam, m.LParam); }
};

void CreateForms() {
  const bool handler = Application->OnException.Assigned() &&
                       static_cast<TObject*>(Application->OnException.Object())->Is<TInitGlobal>();
  Steps().push_back(GlobalFormats && GlobalMediaConverter && handler ? "forms after the globals and the handler"
                                                                     : "forms too early");
  // A button handler fails during the run: the application hands it to the core's error handler.
  try {
    throw EConvertException("Cannot find/open encoder");
  } catch (...) {
    Application->HandleException(nullptr);
  }
  // A processor fault in a handler reaches the same handler, and the program goes on.
  TFaultingHandler faulting;
  faulting.window = AllocateHWnd(MakeEvent(&faulting, &TFaultingHandler::Method));
  SendMessageA(faulting.window, WM_USER, 0, 0);
  DeallocateHWnd(faulting.window);
  Steps().push_back("running on");
}
void FailingForms() { throw EReadError("Error reading FormMain.Caption"); }
void ThrowingForms() { throw 42; }

// The quit message a failed start-up leaves for the message loop; removed so later boxes can run.
bool TakeQuitMessage() {
  MSG msg;
  return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

TEST_F(StartUp, EntryRunsEveryStepAndShutsDown) {
  Steps().clear();
  TLogWindow window;
  GlobalShowLog = MakeEvent(&window, &TLogWindow::Show);
  TMessageBoxCatcher boxes;
  EXPECT_EQ(RunConverter(CreateForms), 0);
  EXPECT_EQ(Steps(), (std::vector<std::string>{"forms after the globals and the handler", "running on"}));
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_EQ(boxes.Boxes()[0].Caption, "Error");
  EXPECT_EQ(boxes.Boxes()[0].Text, "Converting occured exception\r\nCannot find/open encoder");
  EXPECT_EQ(boxes.Boxes()[1].Caption, "Error");
  EXPECT_EQ(boxes.Boxes()[1].Text, "Unknown external exception!");
  EXPECT_FALSE(Application->OnException.Assigned());
  EXPECT_EQ(GlobalFormats, nullptr);
  EXPECT_EQ(GlobalMediaConverter, nullptr);
  EXPECT_NE(ReadSettings().find("[Formats]"), std::string::npos);
  // The converter is the last global object freed; the engine log is closed after it.
  ASSERT_GE(Fake().Calls.size(), 2u);
  EXPECT_EQ(Fake().Calls.end()[-2], "MediaConv_Cancel()");
  EXPECT_EQ(Fake().Calls.back(), "LogClose()");
  EXPECT_FALSE(TakeQuitMessage());
}

TEST_F(StartUp, EntryFailuresShowTheirTextAndWriteNothing) {
  struct Case {
    void (*forms)();
    const char* text;
  } cases[] = {{FailingForms, "Error reading FormMain.Caption"}, {ThrowingForms, "Failed to initialize(Unknown)"}};
  for (const Case& c : cases) {
    RemoveSettings();
    TMessageBoxCatcher boxes;
    EXPECT_EQ(RunConverter(c.forms), 1);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].Text, c.text);
    EXPECT_EQ(boxes.Boxes()[0].Caption, "Calderan Studio");
    EXPECT_TRUE(TakeQuitMessage());          // the application was told to end
    EXPECT_EQ(ReadSettings(), "<missing>");  // the settings are not rewritten
    Application->OnException = nullptr;
    DropGlobals();
  }
}

// The engine log's file lies in the temporary folder under a name only this run knows: it has to
// go with the run however the run ends, or the folder gains one log per start.
class EngineLogFile : public StartUp {
 public:
  std::vector<std::string> Left() const { return temp_.Files(); }

 private:
  TPrivateTempFolder temp_;
};

TEST_F(EngineLogFile, GoesWithTheRunHoweverItEnds) {
  struct Case {
    const char* run;
    std::function<void(EngineLogFile&)> body;
  } const cases[] = {
      {"the service object freed",
       [](EngineLogFile& t) {
         TInitGlobal init;
         EXPECT_EQ(t.Left().size(), 1u) << "the log is written while the run lasts";
         init.FreeGlobals();
       }},
      {"the engine failing at start",
       [](EngineLogFile&) {
         Fake().Throws = "CodecMgrInit";
         EXPECT_THROW(TInitGlobal(), FinalException);
         Fake().Throws.clear();
       }},
      {"the program's run", [](EngineLogFile&) { EXPECT_EQ(RunConverter(nullptr), 0); }},
      {"the windows failing at start",
       [](EngineLogFile&) {
         TMessageBoxCatcher boxes;
         EXPECT_EQ(RunConverter(FailingForms), 1);
         TakeQuitMessage();
         Application->OnException = nullptr;
         DropGlobals();
       }},
  };
  for (const Case& c : cases) {
    c.body(*this);
    EXPECT_EQ(Left(), std::vector<std::string>{}) << c.run;
  }
}

// A stale stored profile used to end every start-up with the list index text; it now starts with
// the first profile, and the index written back at exit is a valid one.
TEST_F(StartUp, StaleStoredProfileNoLongerStopsTheStart) {
  WriteSettings("[Formats]\r\nFormat=7\r\n");
  TMessageBoxCatcher boxes;
  EXPECT_EQ(RunConverter(nullptr), 0);
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_NE(ReadSettings().find("Format=0"), std::string::npos);
}

}  // namespace
