// Worker threads (Win32 threads, as every thread that calls Win32 must be) and Synchronize, which
// runs a method on the main thread from the message loop while the worker waits.
#pragma once
#include <windows.h>

#include <exception>

#include "Classes.h"
#include "System.h"

using TThreadMethod = TEvent<void()>;

class TThread : public TObject {
  CALDERAN_CLASS(TThread)
  // The thread is made suspended (a running Execute could see a descendant not yet constructed);
  // Start() runs it.
  TThread();
  ~TThread() override;  // a running thread is told to terminate and waited for

  void Start();
  void Resume() { Start(); }
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  bool Finished() const { return finished_; }
  // Waits until Execute returned; answers ReturnValue.
  uint32_t WaitFor();
  HANDLE Handle() const { return handle_; }
  DWORD ThreadID() const { return threadId_; }
  int ReturnValue() const { return returnValue_; }
  void SetReturnValue(int value) { returnValue_ = value; }
  bool FreeOnTerminate() const { return freeOnTerminate_; }
  void SetFreeOnTerminate(bool value) { freeOnTerminate_ = value; }
  // What escaped Execute, kept for the owner (null when it ended normally).
  std::exception_ptr FatalException() const { return fatal_; }

  // Runs the method on the main thread and waits for it; an exception it raises comes back here.
  void Synchronize(TThreadMethod method);
  static void Synchronize(TThread* thread, TThreadMethod method);

  TNotifyEvent OnTerminate;  // runs on the main thread when Execute returned

 protected:
  virtual void Execute() = 0;
  virtual void DoTerminate();

 private:
  static DWORD WINAPI ThreadProc(LPVOID self);
  HANDLE handle_ = nullptr;
  DWORD threadId_ = 0;
  volatile bool terminated_ = false;
  volatile bool finished_ = false;
  bool started_ = false;
  bool freeOnTerminate_ = false;
  int returnValue_ = 0;
  std::exception_ptr fatal_;
};

// Runs the synchronized calls that wait; the message loop calls it. True when it ran any.
bool CheckSynchronize();
// Set by the application: wakes the main thread's message loop when a call waits.
extern void (*WakeMainThread)();
extern DWORD MainThreadID;

// Start-up of this module: notes the main thread.
extern const TUnitInfo ThreadsUnit;
