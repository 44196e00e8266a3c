// Processor faults raised as exceptions. Neither the system's structured handling macros nor a
// handler that redirects the thread to a function throwing C++ exceptions work in this 64-bit
// winelib module (the unwinder finds no handler from the redirected frame). What works: the trap
// saves a jump buffer before it runs the code; a vectored handler, for a fault while a trap is set,
// records it and resumes the thread in a function that jumps back to the trap, which then throws.
#include "SysUtils.h"

#include <windows.h>
#include <winternl.h>

CALDERAN_IMPLEMENT_CLASS(EExternal, Exception)
CALDERAN_IMPLEMENT_CLASS(EAccessViolation, EExternal)
CALDERAN_IMPLEMENT_CLASS(EIntError, EExternal)
CALDERAN_IMPLEMENT_CLASS(EDivByZero, EIntError)
CALDERAN_IMPLEMENT_CLASS(EStackOverflow, EExternal)

namespace {

// The thread's innermost trap. Volatile: without it the optimiser dropped the store that links a
// trap, and the handler never saw it.
thread_local TFaultTrap* volatile currentTrap = nullptr;
PVOID faultHandler = nullptr;

bool IsTrappedCode(DWORD code) {
  return code == EXCEPTION_ACCESS_VIOLATION || code == EXCEPTION_INT_DIVIDE_BY_ZERO ||
         code == EXCEPTION_STACK_OVERFLOW;
}

// The program's own code, or a Linux library it called (no Win32 module). The system's libraries
// provoke and catch faults of their own on purpose (pointer probes); those are not ours to take.
bool InThisProgram(const void* address) {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     static_cast<LPCWSTR>(address), &module);
  return !module || module == GetModuleHandleW(nullptr);
}

// Where a trapped fault resumes: on the faulting thread's stack, far below the trap's frame.
[[noreturn]] void JumpToTrap() { std::longjmp(currentTrap->Jump, 1); }

// Runs first for every exception of the process; must stay small (after a stack overflow only the
// stack's small reserve is left).
LONG CALLBACK FaultHandler(EXCEPTION_POINTERS* pointers) {
  TFaultTrap* trap = currentTrap;
  const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
  if (!trap || !IsTrappedCode(record.ExceptionCode) || !InThisProgram(record.ExceptionAddress))
    return EXCEPTION_CONTINUE_SEARCH;
  trap->Fault.Code = record.ExceptionCode;
  trap->Fault.Address = record.ExceptionAddress;
  if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2) {
    trap->Fault.Access = record.ExceptionInformation[0];
    trap->Fault.Target = reinterpret_cast<const void*>(record.ExceptionInformation[1]);
  }
  CONTEXT& context = *pointers->ContextRecord;
  context.Rsp = (context.Rsp & ~DWORD64{15}) - 8;  // aligned as if JumpToTrap had been called
  context.Rip = reinterpret_cast<DWORD64>(&JumpToTrap);
  return EXCEPTION_CONTINUE_EXECUTION;
}

// A stack overflow uses up the guard pages below the stack, and the next one would end the
// process. Marks the unused pages below the caller as guard pages again, as a fresh stack has.
__attribute__((noinline)) void RearmStackGuard() {
  volatile char here = 0;
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  const uintptr_t page = system.dwPageSize;
  const auto limit = reinterpret_cast<uintptr_t>(reinterpret_cast<NT_TIB*>(NtCurrentTeb())->StackLimit);
  const uintptr_t top = (reinterpret_cast<uintptr_t>(&here) & ~(page - 1)) - page;
  DWORD old = 0;
  if (top > limit) VirtualProtect(reinterpret_cast<void*>(limit), top - limit, PAGE_READWRITE | PAGE_GUARD, &old);
}

const char* AccessText(uintptr_t access) {
  if (access == 0) return SReadAccess;
  return access == 8 ? SExecuteAccess : SWriteAccess;
}

[[noreturn]] void RaiseFault(const TFaultRecord& fault) {
  switch (fault.Code) {
    case EXCEPTION_INT_DIVIDE_BY_ZERO: throw EDivByZero(SDivByZero);
    case EXCEPTION_STACK_OVERFLOW: throw EStackOverflow(SStackOverflow);
    default: throw EAccessViolation(Format(SAccessViolationArg3, {fault.Address, AccessText(fault.Access), fault.Target}));
  }
}

}  // namespace

TFaultTrap::TFaultTrap() : outer_(currentTrap) { currentTrap = this; }

TFaultTrap::~TFaultTrap() {
  if (linked_) currentTrap = outer_;
}

void TFaultTrap::Raise() {
  currentTrap = outer_;
  linked_ = false;
  if (Fault.Code == EXCEPTION_STACK_OVERFLOW) RearmStackGuard();
  RaiseFault(Fault);
}

void InstallFaultHandler() {
  if (!faultHandler) faultHandler = AddVectoredExceptionHandler(1, FaultHandler);
}

void RemoveFaultHandler() {
  if (faultHandler) RemoveVectoredExceptionHandler(faultHandler);
  faultHandler = nullptr;
}
