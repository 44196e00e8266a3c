#include "Observer.h"

#include <algorithm>

CALDERAN_IMPLEMENT_CLASS(TSubject, TInterfacedObject)

namespace {
[[noreturn]] void ListIndexError(int index) { throw EListError(Format(SListIndexError, {index})); }
}  // namespace

void TSubject::Attach(IObserver* Observer) {
  observers_.push_back(Observer);
  Notify();
}

void TSubject::Detach(IObserver* Observer) {
  auto it = std::find(observers_.begin(), observers_.end(), Observer);
  if (it == observers_.end()) ListIndexError(-1);
  observers_.erase(it);
}

void TSubject::Notify() {
  const size_t count = observers_.size();
  for (size_t i = 0; i < count; ++i) {
    // An Update that detached observers leaves the list shorter than the count read at the start.
    if (i >= observers_.size()) ListIndexError(static_cast<int>(i));
    observers_[i]->Update();
  }
}
