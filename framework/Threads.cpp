// Worker threads and Synchronize.
#include "Threads.h"

#include <deque>

#include "Classes.h"
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CLASS(TThread, TObject)

void (*WakeMainThread)() = nullptr;
DWORD MainThreadID = 0;

namespace {
struct TSyncRequest {
  TThreadMethod method;
  HANDLE done;
  std::exception_ptr error;
};

CRITICAL_SECTION syncLock;
std::deque<TSyncRequest*>* syncQueue = nullptr;
HANDLE syncPending = nullptr;  // set when a call waits, for a main thread that waits for a thread

void StartThreads() {
  MainThreadID = GetCurrentThreadId();
  InitializeCriticalSection(&syncLock);
  syncQueue = new std::deque<TSyncRequest*>();
  syncPending = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (!syncPending) throw EOSError("Cannot create an event");
}

void StopThreads() {
  CheckSynchronize();
  delete syncQueue;
  syncQueue = nullptr;
  CloseHandle(syncPending);
  syncPending = nullptr;
  DeleteCriticalSection(&syncLock);
}
}  // namespace

const TUnitInfo ThreadsUnit{"Threads", StartThreads, StopThreads};

bool CheckSynchronize() {
  if (!syncQueue || GetCurrentThreadId() != MainThreadID) return false;
  bool ran = false;
  for (;;) {
    EnterCriticalSection(&syncLock);
    TSyncRequest* request = nullptr;
    if (!syncQueue->empty()) {
      request = syncQueue->front();
      syncQueue->pop_front();
    }
    LeaveCriticalSection(&syncLock);
    if (!request) return ran;
    try {
      request->method();
    } catch (...) {
      request->error = std::current_exception();
    }
    ran = true;
    SetEvent(request->done);
  }
}

TThread::TThread() {
  handle_ = CreateThread(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, &threadId_);
  if (!handle_) throw EOSError("Cannot create a thread");
}

TThread::~TThread() {
  if (started_ && !finished_) {
    Terminate();
    WaitFor();
  } else if (!started_) {
    // never started: let it run to its end without Execute
    finished_ = true;
    terminated_ = true;
    ResumeThread(handle_);
    WaitForSingleObject(handle_, INFINITE);
  }
  CloseHandle(handle_);
}

void TThread::Start() {
  if (started_) return;
  started_ = true;
  if (ResumeThread(handle_) == static_cast<DWORD>(-1)) throw EOSError("Cannot start the thread");
}

// The main thread keeps running synchronized calls while it waits, or a worker that synchronizes
// on its way out (OnTerminate) would never finish.
uint32_t TThread::WaitFor() {
  if (GetCurrentThreadId() == MainThreadID && syncPending) {
    HANDLE handles[2] = {handle_, syncPending};
    while (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) CheckSynchronize();
  } else {
    WaitForSingleObject(handle_, INFINITE);
  }
  return static_cast<uint32_t>(returnValue_);
}

void TThread::Synchronize(TThreadMethod method) { Synchronize(this, method); }

void TThread::Synchronize(TThread*, TThreadMethod method) {
  if (GetCurrentThreadId() == MainThreadID || !syncQueue) {
    method();
    return;
  }
  TSyncRequest request{method, CreateEventA(nullptr, TRUE, FALSE, nullptr), nullptr};
  if (!request.done) throw EOSError("Cannot create an event");
  EnterCriticalSection(&syncLock);
  syncQueue->push_back(&request);
  LeaveCriticalSection(&syncLock);
  SetEvent(syncPending);
  if (WakeMainThread) WakeMainThread();
  WaitForSingleObject(request.done, INFINITE);
  CloseHandle(request.done);
  if (request.error) std::rethrow_exception(request.error);
}

void TThread::DoTerminate() {
  if (!OnTerminate) return;
  Synchronize(TThreadMethod(+[](void* self) {
    auto* t = static_cast<TThread*>(self);
    t->OnTerminate(t);
  }, this));
}

// A Win32 entry point: nothing escapes it; what escapes Execute is kept as FatalException.
DWORD WINAPI TThread::ThreadProc(LPVOID self) {
  auto* thread = static_cast<TThread*>(self);
  if (thread->finished_) return 0;
  try {
    TrapFaults([thread] { thread->Execute(); });
  } catch (...) {
    thread->fatal_ = std::current_exception();
  }
  try {
    thread->DoTerminate();
  } catch (...) {
    if (!thread->fatal_) thread->fatal_ = std::current_exception();
  }
  bool freeIt = thread->freeOnTerminate_;
  DWORD result = static_cast<DWORD>(thread->returnValue_);
  thread->finished_ = true;
  if (freeIt) delete thread;
  return result;
}
