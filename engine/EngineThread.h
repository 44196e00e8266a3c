// Engine-internal: the engine's worker threads and the small synchronisation pieces its pipelines
// share. Workers are Win32 threads (CreateThread) because the player's threads paint and play
// sound through Win32, and a non-Win32 thread calling Win32 brings the process down under Wine.
#pragma once
#include <windows.h>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

class EngineThread {
 public:
  EngineThread() = default;
  EngineThread(const EngineThread&) = delete;
  EngineThread& operator=(const EngineThread&) = delete;
  ~EngineThread() { Join(); }

  // Runs body on a new Win32 thread; false when the thread could not be created.
  bool Start(std::function<void()> body);
  // Waits for the thread to end (no-op when none runs) and releases its handle.
  void Join();
  bool Running() const { return handle_ != nullptr; }

 private:
  static DWORD WINAPI Main(void* self);
  std::function<void()> body_;
  HANDLE handle_ = nullptr;
};

// Pause switch shared by a pipeline's workers: Wait returns at once while running, blocks while
// paused, and returns false once the pipeline is stopped so the worker can leave.
class EngineGate {
 public:
  void SetPaused(bool paused);
  void Stop();
  bool Wait();
  // Waits as Wait does, then runs step while holding the gate, so once SetPaused(true) has returned
  // no step runs until the pipeline goes on. False (step not run) once the pipeline is stopped.
  template <typename Step>
  bool Pass(Step step) {
    std::unique_lock<std::mutex> hold(lock_);
    changed_.wait(hold, [&] { return stopped_.load() || !paused_; });
    if (stopped_.load()) return false;
    step();
    return true;
  }
  bool Stopped() const { return stopped_.load(); }

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  bool paused_ = false;
  std::atomic<bool> stopped_{false};
};

// A bounded queue between two pipeline stages. An empty item marks the end of the stream. Push
// blocks while full; Pop blocks while empty. Stop wakes both sides for good; Close (by the
// consumer) makes later pushes vanish, so a producer never waits on a stage that has finished.
// A producer waiting on a full queue is woken once the queue is half empty, not at every item
// taken: with small items (1024 samples of sound) waking a thread per item costs more than the
// item's own work.
template <typename T>
class EngineQueue {
 public:
  explicit EngineQueue(size_t capacity) : capacity_(capacity) {}

  bool Push(T item) {
    std::unique_lock<std::mutex> hold(lock_);
    notFull_.wait(hold, [&] { return stopped_ || closed_ || items_.size() < capacity_; });
    if (stopped_) return false;
    if (closed_) return true;
    items_.push_back(std::move(item));
    notEmpty_.notify_one();
    return true;
  }

  // False when stopped; otherwise item holds the next entry (empty = end of stream).
  bool Pop(T& item) {
    std::unique_lock<std::mutex> hold(lock_);
    notEmpty_.wait(hold, [&] { return stopped_ || !items_.empty(); });
    if (stopped_) return false;
    item = std::move(items_.front());
    items_.pop_front();
    if (items_.size() <= capacity_ / 2) notFull_.notify_one();
    return true;
  }

  // Never blocks: false when the queue is empty or stopped.
  bool TryPop(T& item) {
    std::lock_guard<std::mutex> hold(lock_);
    if (stopped_ || items_.empty()) return false;
    item = std::move(items_.front());
    items_.pop_front();
    notFull_.notify_one();
    return true;
  }

  void Stop() {
    std::lock_guard<std::mutex> hold(lock_);
    stopped_ = true;
    items_.clear();
    notEmpty_.notify_all();
    notFull_.notify_all();
  }

  void Close() {
    std::lock_guard<std::mutex> hold(lock_);
    closed_ = true;
    items_.clear();
    notFull_.notify_all();
  }

  void Clear() {
    std::lock_guard<std::mutex> hold(lock_);
    items_.clear();
    notFull_.notify_all();
  }

 private:
  std::mutex lock_;
  std::condition_variable notEmpty_, notFull_;
  std::deque<T> items_;
  size_t capacity_;
  bool stopped_ = false;
  bool closed_ = false;
};
