#include "Observer.h"

#include <algorithm>
#include <string>

CALDERAN_IMPLEMENT_CLASS(TSubject, TObject)

namespace {
[[noreturn]] void ListIndexError(long index) {
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}
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
    if (i >= observers_.size()) ListIndexError(static_cast<long>(i));
    observers_[i]->Update();
  }
}
