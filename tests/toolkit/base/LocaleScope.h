// Runs a test under a locale of its own, never the machine's: the thread locale, the format
// settings read from it and the format controller rebuilt from them; the destructor restores all.
#pragma once
#include "calderan_test.h"

#include <windows.h>

#include "SysUtils.h"
#include "cxBaseUnits.h"
#include "cxFormats.h"

inline constexpr LCID LocaleEnglishUS = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
// Day-month-year order, comma decimals, the currency after the number.
inline constexpr LCID LocaleGerman = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);

class TLocaleScope {
 public:
  explicit TLocaleScope(LCID locale) : previous_(GetThreadLocale()) {
    StartToolkitBaseUnits();
    Use(locale);
  }
  ~TLocaleScope() { Use(previous_); }

 private:
  static void Use(LCID locale) {
    SetThreadLocale(locale);
    LoadLocaleFormatSettings();
    GetFormatController()->Rebuild();
  }
  LCID previous_;
};

// Fixtures for test suites that run wholly under one locale.
class EnglishTest : public ::testing::Test {
 protected:
  TLocaleScope locale{LocaleEnglishUS};
};

class GermanTest : public ::testing::Test {
 protected:
  TLocaleScope locale{LocaleGerman};
};
