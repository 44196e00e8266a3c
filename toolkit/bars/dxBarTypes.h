// Enumerations and forward declarations shared by the bar system's modules (manager, items, links,
// bar windows, item controls and painters).
#pragma once
#include <cstdint>

#include "System.h"

enum TdxBarManagerStyle : uint8_t { bmsStandard, bmsEnhanced, bmsFlat, bmsXP, bmsOffice11, bmsUseLookAndFeel };
enum TdxBarDockingStyle : uint8_t { dsNone, dsLeft, dsTop, dsRight, dsBottom };
using TdxBarDockingStyles = TSet<TdxBarDockingStyle>;
enum TdxBarItemVisible : uint8_t { ivNever, ivInCustomizing, ivAlways };
enum TdxBarItemMergeKind : uint8_t { mkAdd, mkMergeByCaption, mkNone };
enum TdxBarItemAlign : uint8_t { iaLeft, iaCenter, iaRight, iaClient };
enum TdxBarPaintStyle : uint8_t { psStandard, psCaption, psCaptionInMenu, psCaptionGlyph };
enum TdxBarMenuAnimations : uint8_t { maNone, maRandom, maUnfold, maSlide, maFade };
enum TdxBarItemViewLevel : uint8_t {
  ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly, ivlDefault
};
using TdxBarItemViewLevels = TSet<TdxBarItemViewLevel>;
// Where a large glyph stands beside its caption.
enum TdxBarGlyphLayout : uint8_t { glLeft, glRight, glTop, glBottom };

// Paint types of item controls: a horizontal toolbar, a menu, a vertical toolbar.
constexpr int ptHorz = 0, ptMenu = 1, ptVert = 2;
// View-structure bits of item controls.
constexpr int cvsGlyph = 1, cvsCaption = 2;
// View sizes.
constexpr int cvsSmall = 0, cvsLarge = 2;
// The bar background routine's origin value that aligns a background to the whole area.
constexpr int dxBarNoOffset = 0x1FFFFFFF;

class TdxBar;
class TdxBarManager;
class TdxBarItem;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxBarItemControl;
class TCustomdxBarControl;
class TdxBarPainter;
class TdxDockControl;
class TdxBarPopupMenu;

// The stored-form names of the enumerations.
struct TEnumInfo;
extern const TEnumInfo TdxBarManagerStyleInfo;
extern const TEnumInfo TdxBarDockingStyleInfo;
extern const TEnumInfo TdxBarItemVisibleInfo;
extern const TEnumInfo TdxBarItemMergeKindInfo;
extern const TEnumInfo TdxBarItemAlignInfo;
extern const TEnumInfo TdxBarPaintStyleInfo;
extern const TEnumInfo TdxBarMenuAnimationsInfo;
extern const TEnumInfo TdxBarGlyphLayoutInfo;
