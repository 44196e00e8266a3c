// Look-and-feel settings of the toolkit's controls and the process-wide services they rely on: the
// system-colour change notifier.
#pragma once
#include <windows.h>

#include "System.h"

extern const TUnitInfo cxLookAndFeelsUnit;

// ---------------------------------------------------------------------------------------------
// System colour changes. Each notifier hears of WM_SYSCOLORCHANGE through one hidden window shared
// by all notifiers (it lives while any notifier does): primary notifiers first, then the ordinary
// ones, each list from the last joined to the first. Before any of them the Office-11 colour set
// is recomputed; the shared window holds a reference on that set.
class TcxSystemPaletteChangedNotifier : public TObject {
  CALDERAN_CLASS(TcxSystemPaletteChangedNotifier)
  explicit TcxSystemPaletteChangedNotifier(bool isPrimary = false);
  ~TcxSystemPaletteChangedNotifier() override;

  bool IsPrimary() const { return isPrimary_; }
  virtual void ColorsChanged();
  TEvent<void()> OnSystemColorsChanged;

 private:
  const bool isPrimary_;
};

// The class of the shared hidden window (exists while any notifier does).
constexpr const char* cxSystemPaletteChangedListenerClassName = "TcxSystemPaletteChangedListener";
