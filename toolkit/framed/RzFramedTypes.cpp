#include "RzFramedTypes.h"

#include <iterator>

#define RZ_ENUM(Info, ...)                              \
  namespace {                                           \
  constexpr const char* Info##Names[] = {__VA_ARGS__};  \
  }                                                     \
  constinit const TEnumInfo Info{Info##Names, static_cast<int>(std::size(Info##Names))};

RZ_ENUM(FrameStyleInfo, "fsNone", "fsFlat", "fsGroove", "fsBump", "fsLowered", "fsButtonDown", "fsRaised", "fsButtonUp",
        "fsStatus", "fsPopup", "fsFlatBold", "fsFlatRounded")
RZ_ENUM(SideInfo, "sdLeft", "sdTop", "sdRight", "sdBottom")
RZ_ENUM(OrientationInfo, "orHorizontal", "orVertical")
RZ_ENUM(HotTrackColorTypeInfo, "htctComplement", "htctActual")
RZ_ENUM(FramingPreferenceInfo, "fpCustomFraming", "fpXPThemes")
RZ_ENUM(FrameControllerConnectionInfo, "fcpColor", "fcpFocusColor", "fcpDisabledColor", "fcpReadOnlyColor",
        "fcpReadOnlyColorOnFocus", "fcpParentColor", "fcpFlatButtonColor", "fcpFlatButtons", "fcpFrameColor",
        "fcpFrameHotColor", "fcpFrameHotTrack", "fcpFrameHotStyle", "fcpFrameSides", "fcpFrameStyle",
        "fcpFrameVisible", "fcpFramingPreference", "fcpAll")
RZ_ENUM(PathTypeInfo, "ptIniFile", "ptRegistry")
RZ_ENUM(RegKeyInfo, "hkeyClassesRoot", "hkeyCurrentUser", "hkeyLocalMachine", "hkeyUsers", "hkeyPerformanceData",
        "hkeyCurrentConfig", "hkeyDynData")
RZ_ENUM(RegAccessInfo, "keyQueryValue", "keySetValue", "keyCreateSubKey", "keyEnumerateSubKeys", "keyNotify",
        "keyCreateLink", "keyRead", "keyWrite", "keyExecute", "keyAllAccess")
RZ_ENUM(ThumbStyleInfo, "tsBox", "tsCustom", "tsMixer", "tsPointer", "tsFlat", "tsXPPointer", "tsXPBox")
RZ_ENUM(TickStyleInfo, "tkStandard", "tkOwnerDraw")
RZ_ENUM(PointerTypeInfo, "ptStandard", "ptWin95")
RZ_ENUM(TabOrientationInfo, "toTop", "toLeft", "toBottom", "toRight")
RZ_ENUM(TabSequenceInfo, "tsStandard", "tsReverse")
RZ_ENUM(TabStyleInfo, "tsSingleSlant", "tsDoubleSlant", "tsCutCorner", "tsRoundCorners", "tsBackSlant")
RZ_ENUM(TabHotTrackStyleInfo, "htsTab", "htsText")
RZ_ENUM(ImagePositionInfo, "ipLeft", "ipTop", "ipRight", "ipBottom", "ipBack", "ipStretch")
RZ_ENUM(HorizontalAlignmentInfo, "haLeft", "haCenter", "haRight")
RZ_ENUM(VerticalAlignmentInfo, "vaTop", "vaCenter", "vaBottom")
RZ_ENUM(ButtonBorderInfo, "bbNone", "bbSingle", "bbButton")
RZ_ENUM(BtnSizeInfo, "bszNeither", "bszButtonToBitmap", "bszStretchToButton", "bszTileToButton")
RZ_ENUM(ButtonStyleInfo, "bsAutoDetect", "bsWin31", "bsNew")
RZ_ENUM(ButtonLayoutInfo, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom")
RZ_ENUM(AlignmentVerticalInfo, "avTop", "avCenter", "avBottom")
RZ_ENUM(VisualStyleInfo, "vsClassic", "vsWinXP", "vsGradient")
RZ_ENUM(GridStyleInfo, "gsDots", "gsDottedLines", "gsSolidLines")
RZ_ENUM(GroupBoxStyleInfo, "gsStandard", "gsCustom", "gsTopLine", "gsFlat", "gsBanner", "gsUnderline")
RZ_ENUM(GradientColorStyleInfo, "gcsSystem", "gcsMSOffice", "gcsCustom")
RZ_ENUM(GradientDirectionInfo, "gdDiagonalUp", "gdDiagonalDown", "gdHorizontalEnd", "gdHorizontalCenter",
        "gdHorizontalBox", "gdVerticalEnd", "gdVerticalCenter", "gdVerticalBox", "gdSquareBox", "gdBigSquareBox")
RZ_ENUM(ControlButtonStyleInfo, "cbsNone", "cbsLeft", "cbsUp", "cbsRight", "cbsDown", "cbsDropDown")
RZ_ENUM(TextStyleInfo, "tsNormal", "tsRaised", "tsRecessed", "tsShadow")
RZ_ENUM(ButtonHotTrackStyleInfo, "htsInterior", "htsFrame")
RZ_ENUM(CheckBoxStateInfo, "cbUnchecked", "cbChecked", "cbGrayed")
RZ_ENUM(LeftRightInfo, "taLeftJustify", "taRightJustify")
RZ_ENUM(SpinDirectionInfo, "sdUpDown", "sdLeftRight")
