#include "calderan_test.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "ExtCtrls.h"
#include "Forms.h"
#include "Threads.h"

namespace {

class Threads : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartUnits({&GraphicsUnit, &ControlsUnit, &FormsUnit, &ThreadsUnit});
  }
  static void TearDownTestSuite() { StopUnits(); }
};

// Counts to three, handing each number to the main thread, then fails if asked to.
class TCounter : public TThread {
  CALDERAN_CLASS(TCounter)
  std::vector<std::string>* log = nullptr;
  bool fail = false;
  int current = 0;

 protected:
  void Execute() override {
    for (current = 1; current <= 3 && !Terminated(); ++current) Synchronize(MakeEvent(this, &TCounter::Report));
    if (fail) throw std::runtime_error("worker failed");
  }
  void Report() {
    log->push_back((GetCurrentThreadId() == MainThreadID ? "main " : "worker ") + std::to_string(current));
  }
};
CALDERAN_IMPLEMENT_CLASS(TCounter, TThread)

TEST_F(Threads, SynchronizeRunsOnTheMainThreadWhileItWaits) {
  std::vector<std::string> log;
  TCounter counter;
  counter.log = &log;
  struct TEnd {
    std::vector<std::string>* log;
    void Done(TObject*) { log->push_back(GetCurrentThreadId() == MainThreadID ? "terminated on main" : "terminated elsewhere"); }
  } end{&log};
  counter.OnTerminate = MakeEvent(&end, &TEnd::Done);
  EXPECT_NE(counter.ThreadID(), GetCurrentThreadId());
  counter.Start();
  counter.WaitFor();
  EXPECT_TRUE(counter.Finished());
  EXPECT_EQ(log, (std::vector<std::string>{"main 1", "main 2", "main 3", "terminated on main"}));
  EXPECT_FALSE(counter.FatalException());
}

TEST_F(Threads, SynchronizedCallsRunInsideAModalLoopAndFailuresStayWithTheThread) {
  std::vector<std::string> log;
  TCounter counter;
  counter.log = &log;
  counter.fail = true;
  TForm waiting(nullptr, 0);
  waiting.AfterConstruction();
  struct TEnd {
    TForm* form;
    void Done(TObject*) { form->SetModalResult(mrOk); }
  } end{&waiting};
  counter.OnTerminate = MakeEvent(&end, &TEnd::Done);
  counter.Start();
  EXPECT_EQ(waiting.ShowModal(), mrOk);  // the loop served the worker's calls, the last one ends it
  counter.WaitFor();
  EXPECT_EQ(log.size(), 3u);
  ASSERT_TRUE(counter.FatalException());
  try {
    std::rethrow_exception(counter.FatalException());
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "worker failed");
  }
}

}  // namespace
