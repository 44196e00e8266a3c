// The names of the framed suite's enumerations, for stored form definitions.
#pragma once
#include "TypInfo.h"

extern const TEnumInfo FrameStyleInfo;
extern const TEnumInfo SideInfo;
extern const TEnumInfo OrientationInfo;
extern const TEnumInfo HotTrackColorTypeInfo;
extern const TEnumInfo FramingPreferenceInfo;
extern const TEnumInfo FrameControllerConnectionInfo;
extern const TEnumInfo PathTypeInfo;
extern const TEnumInfo RegKeyInfo;
extern const TEnumInfo RegAccessInfo;
extern const TEnumInfo ThumbStyleInfo;
extern const TEnumInfo TickStyleInfo;
extern const TEnumInfo PointerTypeInfo;
extern const TEnumInfo TabOrientationInfo;
extern const TEnumInfo TabSequenceInfo;
extern const TEnumInfo TabStyleInfo;
extern const TEnumInfo TabHotTrackStyleInfo;
extern const TEnumInfo ImagePositionInfo;
extern const TEnumInfo HorizontalAlignmentInfo;
extern const TEnumInfo VerticalAlignmentInfo;
extern const TEnumInfo ButtonBorderInfo;
extern const TEnumInfo BtnSizeInfo;
extern const TEnumInfo ButtonStyleInfo;
extern const TEnumInfo ButtonLayoutInfo;
extern const TEnumInfo AlignmentVerticalInfo;
extern const TEnumInfo VisualStyleInfo;
extern const TEnumInfo GridStyleInfo;
extern const TEnumInfo GroupBoxStyleInfo;
extern const TEnumInfo GradientColorStyleInfo;
extern const TEnumInfo GradientDirectionInfo;
extern const TEnumInfo ControlButtonStyleInfo;
extern const TEnumInfo TextStyleInfo;
extern const TEnumInfo ButtonHotTrackStyleInfo;
extern const TEnumInfo CheckBoxStateInfo;
extern const TEnumInfo LeftRightInfo;
extern const TEnumInfo SpinDirectionInfo;
