// The details gatherer: one Win32 worker thread per view completes items in the background, and
// the producers' many-readers lock that keeps their items alive while it does.
#include <algorithm>

#include "SysUtils.h"
#include "cxShellCommon.h"

CALDERAN_IMPLEMENT_CLASS(TcxShellItemsInfoGatherer, TObject)

namespace {

std::vector<TcxShellItemsInfoGatherer*>* liveGatherers = nullptr;

void Register(TcxShellItemsInfoGatherer* gatherer) {
  if (!liveGatherers) liveGatherers = new std::vector<TcxShellItemsInfoGatherer*>;
  liveGatherers->push_back(gatherer);
}

void Unregister(TcxShellItemsInfoGatherer* gatherer) {
  if (!liveGatherers) return;
  std::erase(*liveGatherers, gatherer);
  if (!liveGatherers->empty()) return;
  delete liveGatherers;
  liveGatherers = nullptr;
}

bool IsSet(HANDLE event) { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }

}  // namespace

void StopAllGatherers() {
  if (!liveGatherers) return;
  for (TcxShellItemsInfoGatherer* gatherer : *liveGatherers) gatherer->StopWorker();
}

// ---------------------------------------------------------------------------------------------
// The lock

TcxItemsLock::TcxItemsLock() {
  InitializeCriticalSection(&section_);
  InitializeConditionVariable(&changed_);
}

TcxItemsLock::~TcxItemsLock() { DeleteCriticalSection(&section_); }

// A thread that already reads or writes goes on; others wait for the writer and let waiting
// writers go first.
bool TcxItemsLock::CanRead(DWORD self) const {
  if (writer_ == self || readers_.count(self)) return true;
  return writer_ == 0 && waitingWriters_ == 0;
}

void TcxItemsLock::LockForRead() {
  const DWORD self = GetCurrentThreadId();
  EnterCriticalSection(&section_);
  while (!CanRead(self)) SleepConditionVariableCS(&changed_, &section_, INFINITE);
  ++readers_[self];
  LeaveCriticalSection(&section_);
}

bool TcxItemsLock::LockForReadUnless(HANDLE eventA, HANDLE eventB) {
  const DWORD self = GetCurrentThreadId();
  EnterCriticalSection(&section_);
  while (!CanRead(self)) {
    if (IsSet(eventA) || IsSet(eventB)) {
      LeaveCriticalSection(&section_);
      return false;
    }
    SleepConditionVariableCS(&changed_, &section_, 5);
  }
  ++readers_[self];
  LeaveCriticalSection(&section_);
  return true;
}

void TcxItemsLock::UnlockRead() {
  const DWORD self = GetCurrentThreadId();
  EnterCriticalSection(&section_);
  auto reader = readers_.find(self);
  if (reader != readers_.end() && --reader->second == 0) readers_.erase(reader);
  LeaveCriticalSection(&section_);
  WakeAllConditionVariable(&changed_);
}

void TcxItemsLock::LockForWrite() {
  const DWORD self = GetCurrentThreadId();
  EnterCriticalSection(&section_);
  ++waitingWriters_;
  auto othersRead = [&] {
    return std::any_of(readers_.begin(), readers_.end(), [&](const auto& r) { return r.first != self; });
  };
  while ((writer_ != 0 && writer_ != self) || othersRead()) SleepConditionVariableCS(&changed_, &section_, INFINITE);
  --waitingWriters_;
  writer_ = self;
  ++writeDepth_;
  LeaveCriticalSection(&section_);
}

void TcxItemsLock::UnlockWrite() {
  EnterCriticalSection(&section_);
  if (writer_ == GetCurrentThreadId() && --writeDepth_ == 0) writer_ = 0;
  LeaveCriticalSection(&section_);
  WakeAllConditionVariable(&changed_);
}

// ---------------------------------------------------------------------------------------------
// The gatherer

TcxShellItemsInfoGatherer::TcxShellItemsInfoGatherer(TWinControl* view) : view_(view) {
  idleEvent_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  pauseEvent_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  quitEvent_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!idleEvent_ || !pauseEvent_ || !quitEvent_) throw EOSError(SysErrorMessage(GetLastError()));
  workerThread_ = CreateThread(nullptr, 0, WorkerProc, this, 0, nullptr);
  if (!workerThread_) throw EOSError(SysErrorMessage(GetLastError()));
  Register(this);
}

TcxShellItemsInfoGatherer::~TcxShellItemsInfoGatherer() {
  Unregister(this);
  StopWorker();
  for (HANDLE& event : {std::ref(idleEvent_), std::ref(pauseEvent_), std::ref(quitEvent_)}) {
    if (event) CloseHandle(event);
    event = nullptr;
  }
}

void TcxShellItemsInfoGatherer::StopWorker() {
  if (!workerThread_) return;
  SetEvent(quitEvent_);
  WaitForSingleObject(workerThread_, INFINITE);
  CloseHandle(workerThread_);
  workerThread_ = nullptr;
}

// The acknowledgement is cleared before the worker is asked to park, so only the worker's answer
// to this pause, given outside any request, lets the call return.
void TcxShellItemsInfoGatherer::Pause() {
  if (pauseCount_++ > 0 || !workerThread_) return;
  ResetEvent(idleEvent_);
  SetEvent(pauseEvent_);
  WaitForSingleObject(idleEvent_, INFINITE);
}

void TcxShellItemsInfoGatherer::Resume() {
  if (pauseCount_ <= 0) return;
  if (--pauseCount_ == 0) ResetEvent(pauseEvent_);
}

void TcxShellItemsInfoGatherer::RequestFetch(TcxCustomItemProducer* producer, int index, bool urgent) {
  Pause();
  auto same = std::find_if(queue_.begin(), queue_.end(),
                           [&](const auto& r) { return r->Producer == producer && r->ItemIndex == index; });
  if (same == queue_.end()) {
    auto request = std::make_unique<FetchRequest>(FetchRequest{index, producer, urgent});
    if (urgent)
      queue_.push_front(std::move(request));
    else
      queue_.push_back(std::move(request));
  } else if (urgent) {
    std::unique_ptr<FetchRequest> moved = std::move(*same);
    queue_.erase(same);
    queue_.push_front(std::move(moved));
  }
  Resume();
}

void TcxShellItemsInfoGatherer::PurgeRequests(TcxCustomItemProducer* producer) {
  if (purging_) return;
  purging_ = true;
  Pause();
  std::erase_if(queue_, [&](const auto& r) { return !producer || r->Producer == producer; });
  Resume();
  purging_ = false;
}

DWORD WINAPI TcxShellItemsInfoGatherer::WorkerProc(void* self) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  static_cast<TcxShellItemsInfoGatherer*>(self)->RunWorker();
  CoUninitialize();
  return 0;
}

bool TcxShellItemsInfoGatherer::Interrupted() const { return IsSet(pauseEvent_) || IsSet(quitEvent_); }

void TcxShellItemsInfoGatherer::RunWorker() {
  for (;;) {
    if (!Interrupted()) {
      ResetEvent(idleEvent_);
      DrainQueue();
    }
    if (IsSet(quitEvent_)) break;
    if (IsSet(pauseEvent_)) SetEvent(idleEvent_);
    Sleep(10);
  }
}

// Only the worker removes requests while it is not paused, and the user-interface thread changes
// the queue only while it is paused, so the front request stays put while it is served.
void TcxShellItemsInfoGatherer::DrainQueue() {
  while (!queue_.empty() && !Interrupted()) {
    if (!ServeRequest(*queue_.front())) return;  // interrupted while waiting for the items
    queue_.pop_front();
  }
}

bool TcxShellItemsInfoGatherer::ServeRequest(const FetchRequest& request) {
  TcxCustomItemProducer* producer = request.Producer;
  if (!producer->LockForReadUnless(pauseEvent_, quitEvent_)) return false;
  if (request.ItemIndex >= producer->ItemCount()) {
    producer->UnlockRead();
    return true;
  }
  TcxShellItemInfo* item = producer->Item(request.ItemIndex);
  // An item the user-interface thread is fetching right now is left to it.
  try {
    item->FetchInfo(producer->Folder(), producer->FolderId());
    if (item->Fetched) producer->ItemFetched(item);
  } catch (...) {
    item->Fetched = true;  // a failing shell call leaves the item as it was; nothing is reported
  }
  producer->UnlockRead();
  producer->NotifyItemFetched(request);
  return true;
}
