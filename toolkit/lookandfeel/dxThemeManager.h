// The theme manager: may visual styles be used now, and which theme handle draws a given kind of
// element. One cached handle per kind, opened on demand and thrown away when the user changes the
// visual style; subscribers then hear of the change so that controls can repaint.
#pragma once
#include <windows.h>
#include <uxtheme.h>

#include <cstdint>

#include "System.h"

// One kind per window class of the visual-styles library.
enum TdxThemedObjectType : uint8_t {
  totButton, totClock, totComboBox, totEdit, totExplorerBar, totHeader, totListBox, totListView, totMenu,
  totPage, totProgress, totRebar, totScrollBar, totSpin, totStartPanel, totStatus, totTab, totTaskBand,
  totTaskBar, totToolBar, totToolTip, totTrackBar, totTrayNotify, totTreeView, totWindow
};
constexpr int dxThemedObjectTypeCount = totWindow + 1;
using TdxThemedObjectTypes = TSet<TdxThemedObjectType>;

extern const TUnitInfo dxThemeManagerUnit;

// False unless a visual style is active and the library is loaded; the empty set then answers true;
// otherwise every kind must open, checked in ascending order and stopping at the first failure.
bool AreThemeKindsAvailable(TdxThemedObjectTypes kinds);
bool IsThemeKindAvailable(TdxThemedObjectType kind);
// The cached handle of the kind, opened on demand. A class list other than the cached one (compared
// without regard to letter case) replaces the cached handle; null means "the list used last".
HTHEME OpenThemeByKind(TdxThemedObjectType kind, const WCHAR* classList = nullptr);
// 1 when visual styles are unavailable, 0 when the kind has no open handle, else CloseThemeData's result.
HRESULT CloseThemeOfKind(TdxThemedObjectType kind);
// Closes every open handle; the class lists are kept so that kinds reopen with the list they last used.
void CloseAllThemes();
bool SameClassList(const WCHAR* a, const WCHAR* b);
// Whether the user has a visual style active, as last seen at start-up or at a theme change.
bool ThemesActive();

// Tells its owner of visual-style changes. It joins the subscriber list while it lives, but only when
// the library is loaded.
class TdxThemeChangedNotificator : public TObject {
  CALDERAN_CLASS(TdxThemeChangedNotificator)
  TdxThemeChangedNotificator();
  ~TdxThemeChangedNotificator() override;
  TEvent<void()> OnThemeChanged;
};

// The class of the hidden window that receives WM_THEMECHANGED.
constexpr const char* dxThemeChangedReceiverClassName = "TdxThemeChangedEventReceiver";
