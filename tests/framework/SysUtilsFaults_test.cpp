#include "calderan_test.h"

#include <regex>
#include <string>
#include <vector>

#include "Controls.h"
#include "Forms.h"
#include "SysUtils.h"
#include "Threads.h"

namespace {

// Real faults: the compiler cannot see through volatile that these are null and zero, nor drop
// the results.
int* volatile nowhere = nullptr;
int* volatile lowAddress = reinterpret_cast<int*>(0x10);
volatile int zero = 0;
volatile int sink = 0;

void ReadNull() { sink = *nowhere; }
void WriteLowAddress() { *lowAddress = 1; }
void DivideByZero() { sink = 100 / zero; }
// Frames small enough to run into the stack's guard pages one page at a time. Endless on purpose.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winfinite-recursion"
int Recurse(int depth) {
  volatile char frame[256];
  frame[0] = static_cast<char>(depth);
  return Recurse(depth + 1) + frame[0];
}
#pragma GCC diagnostic pop

struct TFaultCase {
  const char* name;
  void (*fault)();
  TClass expectedClass;
  const char* expectedText;  // a regular expression
};

const TFaultCase faultCases[] = {
    {"null read", [] { ReadNull(); }, EAccessViolation::StaticClass(),
     "Access violation at address [0-9A-F]{16}\\. Read of address 0000000000000000"},
    {"write at 0x10", [] { WriteLowAddress(); }, EAccessViolation::StaticClass(),
     "Access violation at address [0-9A-F]{16}\\. Write of address 0000000000000010"},
    {"division by zero", [] { DivideByZero(); }, EDivByZero::StaticClass(), "Division by zero"},
    {"stack overflow", [] { Recurse(0); }, EStackOverflow::StaticClass(), "Stack overflow"},
};

class Faults : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartUnits({&SysUtilsUnit, &ClassesUnit, &GraphicsUnit, &ControlsUnit, &FormsUnit, &ThreadsUnit});
  }
  static void TearDownTestSuite() { StopUnits(); }
};

// Runs a case under a trap and answers what was raised: class name and message.
std::pair<std::string, std::string> Trapped(void (*fault)()) {
  try {
    TrapFaults(fault);
  } catch (const Exception& e) {
    return {e.ClassName(), e.Message()};
  }
  return {"nothing", ""};
}

TEST_F(Faults, EachFaultRaisesItsClassWithThePlatformsText) {
  for (const TFaultCase& c : faultCases) {
    SCOPED_TRACE(c.name);
    auto [className, text] = Trapped(c.fault);
    EXPECT_EQ(className, c.expectedClass->Name);
    EXPECT_TRUE(std::regex_match(text, std::regex(c.expectedText))) << text;
  }
  EXPECT_TRUE(EDivByZero::StaticClass()->InheritsFrom(EIntError::StaticClass()));
  for (TClass c : {EAccessViolation::StaticClass(), EDivByZero::StaticClass(), EStackOverflow::StaticClass()})
    EXPECT_TRUE(c->InheritsFrom(EExternal::StaticClass())) << c->Name;
}

TEST_F(Faults, StackOverflowIsCaughtAgainAfterTheFirst) {
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Trapped([] { Recurse(0); }).first, "EStackOverflow") << "overflow " << i;
}

TEST_F(Faults, TheInnermostTrapTakesTheFaultAndTheOuterStaysSet) {
  std::vector<std::string> seen;
  try {
    TrapFaults([&] {
      try {
        TrapFaults([] { ReadNull(); });
      } catch (const EAccessViolation&) {
        seen.push_back("inner");
      }
      DivideByZero();  // the outer trap is still in place after the inner one raised
    });
  } catch (const EDivByZero&) {
    seen.push_back("outer");
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"inner", "outer"}));
}

class TFaultingThread : public TThread {
 protected:
  void Execute() override { ReadNull(); }
};

TEST_F(Faults, AFaultInAWorkerThreadBecomesItsFatalException) {
  TFaultingThread thread;
  thread.Start();
  thread.WaitFor();
  ASSERT_TRUE(thread.FatalException());
  EXPECT_THROW(std::rethrow_exception(thread.FatalException()), EAccessViolation);
}

// ---------------------------------------------------------------------------------------------
// Faults in window procedures reach the application's handler and the message loop goes on.
constexpr UINT WM_FAULT = WM_USER + 1;  // wParam: the index of the fault case
constexpr UINT WM_WORK = WM_USER + 2;   // an ordinary message after the fault
constexpr UINT_PTR faultTimer = 7;

class TFaultingWindow {
 public:
  TFaultingWindow() : handle(AllocateHWnd(MakeEvent(this, &TFaultingWindow::WndProc))) {}
  ~TFaultingWindow() { DeallocateHWnd(handle); }
  HWND handle;
  size_t timerCase = 0;
  int worked = 0;

 private:
  void WndProc(TMessage& m) {
    switch (m.Msg) {
      case WM_FAULT: faultCases[m.WParam].fault(); break;
      case WM_TIMER:
        KillTimer(handle, faultTimer);
        faultCases[timerCase].fault();
        break;
      case WM_WORK: ++worked; break;
      default: m.Result = DefWindowProcA(handle, m.Msg, m.WParam, m.LParam);
    }
  }
};

class FaultsInHandlers : public Faults {
 protected:
  void SetUp() override { Application->OnException = MakeEvent(this, &FaultsInHandlers::Caught); }
  void TearDown() override { Application->OnException = nullptr; }
  void Caught(TObject*, Exception* e) { caught.push_back({e->ClassName(), e->Message()}); }

  // Delivers the fault one way, then an ordinary message through the loop.
  void Deliver(const std::string& way, size_t index) {
    if (way == "SendMessage") {
      SendMessageA(window.handle, WM_FAULT, index, 0);
    } else if (way == "PostMessage") {
      PostMessageA(window.handle, WM_FAULT, index, 0);
      Application->ProcessMessages();
    } else {
      window.timerCase = index;
      SetTimer(window.handle, faultTimer, 1, nullptr);
      while (caught.empty()) Application->HandleMessage();
    }
    PostMessageA(window.handle, WM_WORK, 0, 0);
    Application->ProcessMessages();
  }

  TFaultingWindow window;
  std::vector<std::pair<std::string, std::string>> caught;
};

TEST_F(FaultsInHandlers, ReachTheApplicationsHandlerAndTheLoopGoesOn) {
  int delivered = 0;
  for (const char* way : {"SendMessage", "PostMessage", "WM_TIMER"}) {
    for (size_t i = 0; i < std::size(faultCases); ++i) {
      SCOPED_TRACE(std::string(way) + ", " + faultCases[i].name);
      caught.clear();
      Deliver(way, i);
      ++delivered;
      ASSERT_EQ(caught.size(), 1u);
      EXPECT_EQ(caught[0].first, faultCases[i].expectedClass->Name);
      EXPECT_TRUE(std::regex_match(caught[0].second, std::regex(faultCases[i].expectedText))) << caught[0].second;
      EXPECT_EQ(window.worked, delivered);
    }
  }
}

}  // namespace
