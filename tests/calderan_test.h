// Every test includes this header first: GoogleTest must not see the Windows macros that wineg++
// defines (it would take its Windows code paths, which do not link here), and <windows.h> comes after.
#pragma once
#pragma push_macro("_WIN32")
#pragma push_macro("WIN32")
#pragma push_macro("_WIN64")
#pragma push_macro("WIN64")
#pragma push_macro("__WIN32")
#pragma push_macro("__WIN32__")
#pragma push_macro("__WIN64")
#pragma push_macro("__WIN64__")
#undef _WIN32
#undef WIN32
#undef _WIN64
#undef WIN64
#undef __WIN32
#undef __WIN32__
#undef __WIN64
#undef __WIN64__
#include <gtest/gtest.h>
#pragma pop_macro("_WIN32")
#pragma pop_macro("WIN32")
#pragma pop_macro("_WIN64")
#pragma pop_macro("WIN64")
#pragma pop_macro("__WIN32")
#pragma pop_macro("__WIN32__")
#pragma pop_macro("__WIN64")
#pragma pop_macro("__WIN64__")
#include <windows.h>

// Windowed tests: tests run in parallel processes, and with the null graphics driver all of them
// share one desktop, so one process's window activation takes the focus from another's windows
// (seen as random focus and validation failures). Call this before the first window is created
// (SetUpTestSuite): the process then has a desktop of its own, with its own active window.
inline void UsePrivateDesktop() {
  static HDESK desktop = nullptr;
  if (desktop) return;
  char name[64];
  wsprintfA(name, "calderan-test-%lu", static_cast<unsigned long>(GetCurrentProcessId()));
  desktop = CreateDesktopA(name, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  if (desktop) SetThreadDesktop(desktop);
}
