// The skin element and colour ids the skinned bar painters draw through IdxSkin (the ribbon skin
// answers them), named once for the painters' modules and their tests.
#pragma once
#include "Graphics.h"

namespace dxBarSkinElements {

// Elements.
constexpr int kGroup = 1, kSmallButton = 3, kSmallSplitArrow = 4, kSmallSplitMain = 5, kLargeButton = 6,
              kLargeSplitLower = 7, kLargeSplitUpper = 8, kScreenTip = 40, kMarkGlyph = 336, kDropDownArrow = 340,
              kSmallArrow = 360, kDownArrowGlyph = 365, kRightArrowGlyph = 366, kMenuGlyphColumn = 380,
              kMenuContent = 390, kMenuSeparator = 400, kMenuColumnSeparator = 410, kMenuCheckFrame = 430,
              kMenuCheckMark = 440, kExpandChevrons = 442, kMenuFrame = 450, kButtonGroupFace = 460,
              kButtonGroupBorderLeft = 470, kButtonGroupSplitter = 480, kButtonGroupBorderRight = 490,
              kButtonGroupArrowSplitter = 500, kCollapsedGroup = 1000, kCollapsedGroupGlyphFrame = 1001;

// Colours of the skin's colour table.
constexpr int kScreenTipFooterColor = 41, kToolbarTextColor = 335, kMenuTextColor = 362, kSplitArrowLineColor = 420;

// The toolbar separator's two lines.
constexpr TColor kSeparatorDark = TColor(162 | 166 << 8 | 170 << 16), kSeparatorLight = TColor(230 | 233 << 8 | 235 << 16);

}  // namespace dxBarSkinElements
