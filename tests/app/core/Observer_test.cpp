#include "Observer.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "calderan_test.h"

namespace {

struct TRecorder : IObserver {
  TRecorder(std::vector<std::string>* log, std::string name, bool fails = false)
      : log(log), name(std::move(name)), fails(fails) {}
  void Update() override {
    log->push_back(name);
    if (fails) throw Exception(name + " failed");
  }
  std::vector<std::string>* log;
  std::string name;
  bool fails;
};

using Log = std::vector<std::string>;

TEST(Subject, NotifiesInAttachOrderAndAttachUpdatesEveryObserver) {
  Log log;
  TSubject subject;
  subject.Notify();  // no observers: nothing happens
  TRecorder fileList(&log, "fileList"), mainWindow(&log, "main");
  subject.Attach(&fileList);
  subject.Attach(&mainWindow);
  // The first observer is updated again when the second attaches.
  EXPECT_EQ(log, (Log{"fileList", "fileList", "main"}));
  log.clear();
  subject.Notify();
  EXPECT_EQ(log, (Log{"fileList", "main"}));
}

TEST(Subject, SameObserverTwiceIsUpdatedTwice) {
  Log log;
  TSubject subject;
  TRecorder a(&log, "a");
  subject.Attach(&a);
  subject.Attach(&a);
  log.clear();
  subject.Notify();
  EXPECT_EQ(log, (Log{"a", "a"}));
}

TEST(Subject, FailingUpdateStopsTheRoundAndReachesTheCaller) {
  Log log;
  TSubject subject;
  TRecorder a(&log, "a"), bad(&log, "bad", true), c(&log, "c");
  subject.Attach(&a);
  EXPECT_THROW(subject.Attach(&bad), Exception);  // attached, and its update failed
  EXPECT_THROW(subject.Attach(&c), Exception);    // attached, but the round stopped before it
  log.clear();
  try {
    subject.Notify();
    FAIL() << "the observer's exception must reach the caller";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "bad failed");
  }
  EXPECT_EQ(log, (Log{"a", "bad"}));
}

TEST(Subject, DetachRemovesByIdentityAndFailsForAStranger) {
  Log log;
  TSubject subject;
  TRecorder a(&log, "a"), b(&log, "b"), stranger(&log, "x");
  subject.Attach(&a);
  subject.Attach(&b);
  subject.Detach(&a);
  log.clear();
  subject.Notify();
  EXPECT_EQ(log, (Log{"b"}));
  try {
    subject.Detach(&stranger);
    FAIL() << "detaching an observer that is not attached must fail";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (-1)");
  }
}

// An observer that detaches another during the round must not make the subject read past its list.
struct TDetacher : IObserver {
  TSubject* subject;
  IObserver* victim;
  void Update() override {
    if (victim) subject->Detach(victim), victim = nullptr;
  }
};

TEST(Subject, DetachDuringNotifyFailsCleanly) {
  Log log;
  TSubject subject;
  TDetacher d{};
  d.subject = &subject;
  TRecorder a(&log, "a");
  subject.Attach(&d);
  subject.Attach(&a);
  d.victim = &a;
  EXPECT_THROW(subject.Notify(), EListError);
}

}  // namespace
