#include "EngineThread.h"
#include "EngineLog.h"
#include <exception>

DWORD WINAPI EngineThread::Main(void* self) {
  // Nothing may leave a Win32 thread procedure as an exception.
  try {
    static_cast<EngineThread*>(self)->body_();
  } catch (const std::exception& e) {
    EngineLog(elError, "engine thread ended by an exception: %s", e.what());
  } catch (...) {
    EngineLog(elError, "engine thread ended by an unknown exception");
  }
  return 0;
}

bool EngineThread::Start(std::function<void()> body) {
  Join();
  body_ = std::move(body);
  handle_ = CreateThread(nullptr, 0, Main, this, 0, nullptr);
  return handle_ != nullptr;
}

void EngineThread::Join() {
  if (!handle_) return;
  WaitForSingleObject(handle_, INFINITE);
  CloseHandle(handle_);
  handle_ = nullptr;
}

void EngineGate::SetPaused(bool paused) {
  std::lock_guard<std::mutex> hold(lock_);
  paused_ = paused;
  changed_.notify_all();
}

void EngineGate::Stop() {
  std::lock_guard<std::mutex> hold(lock_);
  stopped_ = true;
  changed_.notify_all();
}

bool EngineGate::Wait() {
  std::unique_lock<std::mutex> hold(lock_);
  changed_.wait(hold, [&] { return stopped_.load() || !paused_; });
  return !stopped_.load();
}
