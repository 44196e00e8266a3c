#include "dxBarTypes.h"

#include <iterator>

#include "TypInfo.h"

#define DX_ENUM_INFO(Info, ...)                    \
  namespace {                                       \
  constexpr const char* Info##Names[] = {__VA_ARGS__}; \
  }                                                 \
  constinit const TEnumInfo Info{Info##Names, static_cast<int>(std::size(Info##Names))};

DX_ENUM_INFO(TdxBarManagerStyleInfo, "bmsStandard", "bmsEnhanced", "bmsFlat", "bmsXP", "bmsOffice11",
             "bmsUseLookAndFeel")
DX_ENUM_INFO(TdxBarDockingStyleInfo, "dsNone", "dsLeft", "dsTop", "dsRight", "dsBottom")
DX_ENUM_INFO(TdxBarItemVisibleInfo, "ivNever", "ivInCustomizing", "ivAlways")
DX_ENUM_INFO(TdxBarItemMergeKindInfo, "mkAdd", "mkMergeByCaption", "mkNone")
DX_ENUM_INFO(TdxBarItemAlignInfo, "iaLeft", "iaCenter", "iaRight", "iaClient")
DX_ENUM_INFO(TdxBarPaintStyleInfo, "psStandard", "psCaption", "psCaptionInMenu", "psCaptionGlyph")
DX_ENUM_INFO(TdxBarMenuAnimationsInfo, "maNone", "maRandom", "maUnfold", "maSlide", "maFade")
DX_ENUM_INFO(TdxBarGlyphLayoutInfo, "glLeft", "glRight", "glTop", "glBottom")
