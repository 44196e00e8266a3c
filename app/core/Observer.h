// Change notification: a subject keeps the observers that show it and updates them synchronously.
#pragma once
#include <vector>

#include "Classes.h"

class IObserver {
 public:
  virtual void Update() = 0;

 protected:
  ~IObserver() = default;
};

class ISubject {
 public:
  virtual void Attach(IObserver* Observer) = 0;
  virtual void Detach(IObserver* Observer) = 0;

 protected:
  ~ISubject() = default;
};

// Keeps borrowed observers in attach order. Attaching updates every observer, the new one included;
// an observer whose Update raises stops the round and the exception reaches the changing code.
// Subjects are freed explicitly, never through the reference count.
class TSubject : public TInterfacedObject, public ISubject {
  CALDERAN_CLASS(TSubject)
  TSubject() = default;

  void Attach(IObserver* Observer) override;
  void Detach(IObserver* Observer) override;
  void Notify();

 private:
  std::vector<IObserver*> observers_;
};
