#include "System.h"

#include <vector>

constinit const TMetaClass TObject::ClassRecord{"TObject", nullptr, nullptr};
CALDERAN_IMPLEMENT_CLASS(TClassOperations, TObject)
CALDERAN_IMPLEMENT_CLASS(Exception, TObject)
CALDERAN_IMPLEMENT_CLASS(EAbort, Exception)
CALDERAN_IMPLEMENT_CLASS(EConvertError, Exception)
CALDERAN_IMPLEMENT_CLASS(EListError, Exception)
CALDERAN_IMPLEMENT_CLASS(EStringListError, Exception)
CALDERAN_IMPLEMENT_CLASS(EInvalidOperation, Exception)
CALDERAN_IMPLEMENT_CLASS(EInvalidPointer, Exception)
CALDERAN_IMPLEMENT_CLASS(EOutOfResources, Exception)
CALDERAN_IMPLEMENT_CLASS(EComponentError, Exception)
CALDERAN_IMPLEMENT_CLASS(EClassNotFound, Exception)
CALDERAN_IMPLEMENT_CLASS(EInOutError, Exception)
CALDERAN_IMPLEMENT_CLASS(EOSError, Exception)
CALDERAN_IMPLEMENT_CLASS(EStreamError, Exception)
CALDERAN_IMPLEMENT_CLASS(EFCreateError, EStreamError)
CALDERAN_IMPLEMENT_CLASS(EFOpenError, EStreamError)
CALDERAN_IMPLEMENT_CLASS(EReadError, EStreamError)
CALDERAN_IMPLEMENT_CLASS(EWriteError, EStreamError)
CALDERAN_IMPLEMENT_CLASS(EResNotFound, Exception)
CALDERAN_IMPLEMENT_CLASS(EInvalidCast, Exception)
CALDERAN_IMPLEMENT_CLASS(EAssertionFailed, Exception)

TObject* TMetaClass::Create(TObject* owner) const {
  if (!Factory) throw EClassNotFound(std::string("Class ") + Name + " cannot be created by reference");
  return Factory(owner);
}

void system_detail::NoClassOperations(TClass cls) {
  throw EInvalidOperation(std::string("Class ") + cls->Name + " declares no class operations");
}

void Abort() { throw EAbort("Operation aborted"); }

namespace {
// Function-local so that it is built on first use, not by a static constructor.
std::vector<const TUnitInfo*>& StartedUnits() {
  static std::vector<const TUnitInfo*> started;
  return started;
}
std::vector<void (*)()>& StepsBeforeStop() {
  static std::vector<void (*)()> steps;
  return steps;
}
}  // namespace

bool UnitStarted(const TUnitInfo* unit) {
  for (const TUnitInfo* u : StartedUnits())
    if (u == unit) return true;
  return false;
}

void StartUnits(std::initializer_list<const TUnitInfo*> units) {
  for (const TUnitInfo* unit : units) {
    if (UnitStarted(unit)) continue;
    StartedUnits().push_back(unit);  // recorded first: a unit that fails half-way still shuts down
    if (unit->Initialize) unit->Initialize();
  }
}

void RunBeforeUnitsStop(void (*step)()) { StepsBeforeStop().push_back(step); }

void StopUnits() {
  auto& steps = StepsBeforeStop();
  while (!steps.empty()) {
    void (*step)() = steps.back();
    steps.pop_back();
    step();
  }
  auto& started = StartedUnits();
  while (!started.empty()) {
    const TUnitInfo* unit = started.back();
    started.pop_back();
    if (unit->Finalize) unit->Finalize();
  }
}
