// The binding of a skin for its painters: every group, element, colour and property the painters
// and the form skinning use is looked up once and kept by identifier, so that drawing never searches
// by name. Binding makes the skin complete (a missing group is added empty, a missing element with
// a red-cross picture) and adjusts the form elements to the way the painters use them. Every change
// of the skin binds again.
#pragma once
#include <memory>

#include "cxClasses.h"
#include "dxSkinsCore.h"

// The bound groups, in binding order.
#define DX_SKIN_INFO_GROUPS(X)                                                                           \
  X(sgBars, "Bars") X(sgCommon, "Common") X(sgDocking, "Docking") X(sgEditors, "Editors") X(sgRibbon, "Ribbon") \
  X(sgForm, "Form") X(sgGrid, "Grid") X(sgPageControl, "PageControl") X(sgScheduler, "Scheduler")           \
  X(sgVerticalGrid, "VerticalGrid") X(sgNavBar, "NavBar") X(sgNavPane, "NavPane")

// The bound elements (identifier, group, name, created when missing), in binding order.
#define DX_SKIN_INFO_ELEMENTS(X)                                                                         \
  /* bars */                                                                                             \
  X(seBar, sgBars, "Bar", 1) X(seBarCustomize, sgBars, "BarCustomize", 1)                                \
  X(seBarCustomizeVertical, sgBars, "BarCustomizeVertical", 1) X(seBarDragGrip, sgBars, "BarDragGrip", 1) \
  X(seBarDragGripVertical, sgBars, "BarDragGripVertical", 1) X(seBarSeparator, sgBars, "BarSeparator", 1) \
  X(seBarVertical, sgBars, "BarVertical", 1) X(seBarSeparatorVertical, sgBars, "BarSeparatorVertical", 1) \
  X(seDock, sgBars, "Dock", 1) X(seFloatBar, sgBars, "FloatBar", 1) X(seLinkStatic, sgBars, "LinkStatic", 1) \
  X(seLinkSelected, sgBars, "LinkSelected", 1) X(seMainMenu, sgBars, "MainMenu", 1)                      \
  X(seMainMenuCustomize, sgBars, "MainMenuCustomize", 0) X(seMainMenuDrag, sgBars, "MainMenuDrag", 0)    \
  X(seMainMenuLinkSelected, sgBars, "MainMenuLinkSelected", 1) X(seMainMenuVertical, sgBars, "MainMenuVertical", 1) \
  X(sePopupMenu, sgBars, "PopupMenu", 1) X(sePopupMenuCheck, sgBars, "PopupMenuCheck", 1)                \
  X(sePopupMenuExpandButton, sgBars, "PopupMenuExpandButton", 1)                                         \
  X(sePopupMenuLinkSelected, sgBars, "PopupMenuLinkSelected", 1)                                         \
  X(sePopupMenuSeparator, sgBars, "PopupMenuSeparator", 1) X(sePopupMenuSideStrip, sgBars, "PopupMenuSideStrip", 1) \
  X(sePopupMenuSideStripNonRecent, sgBars, "PopupMenuSideStripNonRecent", 1)                             \
  X(sePopupMenuDropDownButtonLabel, sgBars, "PopupMenuDropDownButtonLabel", 1)                           \
  X(sePopupMenuDropDownButtonArrow, sgBars, "PopupMenuDropDownButtonArrow", 1)                           \
  X(seStatusBar, sgBars, "StatusBar", 1)                                                                 \
  /* form */                                                                                             \
  X(seFormContent, sgForm, "FormContent", 1) X(seSmallFormButtonClose, sgForm, "SmallFormButtonClose", 1) \
  X(seFormButtonClose, sgForm, "FormButtonClose", 1) X(seFormButtonMinimize, sgForm, "FormButtonMinimize", 1) \
  X(seFormButtonMaximize, sgForm, "FormButtonMaximize", 1) X(seFormButtonRestore, sgForm, "FormButtonRestore", 1) \
  X(seFormButtonHelp, sgForm, "FormButtonHelp", 1) X(seFormFrameLeft, sgForm, "FormFrameLeft", 1)        \
  X(seFormFrameRight, sgForm, "FormFrameRight", 1) X(seFormFrameBottom, sgForm, "FormFrameBottom", 1)    \
  X(seFormCaption, sgForm, "FormCaption", 1) X(seSmallFormCaption, sgForm, "SmallFormCaption", 1)        \
  /* docking */                                                                                          \
  X(seDockWindowBorder, sgDocking, "DockWindowBorder", 1) X(seDockWindowCaption, sgDocking, "DockWindowCaption", 1) \
  X(seAutoHideBar, sgDocking, "AutoHideBar", 1) X(seAutoHideBarLeft, sgDocking, "AutoHideBarLeft", 1)    \
  X(seAutoHideBarRight, sgDocking, "AutoHideBarRight", 1) X(seAutoHideBarBottom, sgDocking, "AutoHideBarBottom", 1) \
  X(seTabHeaderAutoHideBar, sgDocking, "TabHeaderAutoHideBar", 1) X(seDockTabHeader, sgDocking, "TabHeader", 1) \
  X(seTabHeaderBackground, sgDocking, "TabHeaderBackground", 1) X(seTabHeaderLine, sgDocking, "TabHeaderLine", 1) \
  X(seDockWindowButton, sgDocking, "DockWindowButton", 1)                                                \
  X(seDockWindowButtonGlyphs, sgDocking, "DockWindowButtonGlyphs", 1)                                    \
  /* buttons, footers, check boxes, clock, editor buttons */                                             \
  X(seButton, sgCommon, "Button", 1) X(sePlusMinus, sgGrid, "PlusMinus", 1)                              \
  X(seFooterCell, sgGrid, "FooterCell", 1) X(seFooterPanel, sgGrid, "FooterPanel", 1)                    \
  X(seCheckbox, sgEditors, "Checkbox", 1) X(seClockFace, sgEditors, "ClockFace", 1)                      \
  X(seClockGlass, sgEditors, "ClockGlass", 1) X(seEditorButton, sgEditors, "EditorButton", 1)            \
  X(seCloseButton, sgEditors, "CloseButton", 1) X(seComboButtonGlyph, sgEditors, "ComboButtonGlyph", 1)  \
  X(seSpinUpGlyph, sgEditors, "SpinUpGlyph", 1) X(seSpinDownGlyph, sgEditors, "SpinDownGlyph", 1)        \
  X(seSpinLeftGlyph, sgEditors, "SpinLeftGlyph", 1) X(seSpinRightGlyph, sgEditors, "SpinRightGlyph", 1)  \
  /* group panels */                                                                                     \
  X(seGroupPanel, sgCommon, "GroupPanel", 1) X(seGroupPanelNoBorder, sgCommon, "GroupPanelNoBorder", 1)  \
  X(seGroupPanelTop, sgCommon, "GroupPanelTop", 1) X(seGroupPanelBottom, sgCommon, "GroupPanelBottom", 1) \
  X(seGroupPanelLeft, sgCommon, "GroupPanelLeft", 1) X(seGroupPanelRight, sgCommon, "GroupPanelRight", 1) \
  X(seGroupPanelCaptionTop, sgCommon, "GroupPanelCaptionTop", 1)                                         \
  X(seGroupPanelCaptionBottom, sgCommon, "GroupPanelCaptionBottom", 1)                                   \
  X(seGroupPanelCaptionLeft, sgCommon, "GroupPanelCaptionLeft", 1)                                       \
  X(seGroupPanelCaptionRight, sgCommon, "GroupPanelCaptionRight", 1)                                     \
  /* grid lines, indicator, nav bar and pane, navigator, scheduler */                                    \
  X(seGridLine, sgGrid, "GridLine", 1) X(seGridFixedLine, sgGrid, "GridFixedLine", 1)                    \
  X(seGridGroupPanel, sgGrid, "GridGroupPanel", 1) X(seGroupRow, sgGrid, "GroupRow", 1)                  \
  X(seCardSeparator, sgGrid, "CardSeparator", 1) X(seCategory, sgVerticalGrid, "Category", 1)            \
  X(seVerticalGridLine, sgVerticalGrid, "GridLine", 1) X(seBandBorder, sgVerticalGrid, "BandBorder", 1)  \
  X(seIndicatorImages, sgGrid, "IndicatorImages", 1)                                                     \
  X(seNavBarBackground, sgNavBar, "Background", 1) X(seNavBarGroupOpenButton, sgNavBar, "GroupOpenButton", 1) \
  X(seNavBarGroupCloseButton, sgNavBar, "GroupCloseButton", 1) X(seNavBarGroupClient, sgNavBar, "GroupClient", 1) \
  X(seNavBarGroupHeader, sgNavBar, "GroupHeader", 1) X(seNavBarItem, sgNavBar, "Item", 1)                \
  X(seNavPaneCollapseButton, sgNavPane, "CollapseButton", 1)                                             \
  X(seNavPaneCollapsedGroupClient, sgNavPane, "CollapsedGroupClient", 1)                                 \
  X(seNavPaneExpandButton, sgNavPane, "ExpandButton", 1) X(seNavPanePopupBorder, sgNavPane, "PopupBorder", 1) \
  X(seNavPanePopupSizeGrip, sgNavPane, "PopupSizeGrip", 1) X(seNavPaneGroupButton, sgNavPane, "GroupButton", 1) \
  X(seNavPaneGroupButtonSelected, sgNavPane, "GroupButtonSelected", 1) X(seNavPaneCaption, sgNavPane, "Caption", 1) \
  X(seNavPaneGroupClient, sgNavPane, "GroupClient", 1) X(seNavPaneItem, sgNavPane, "Item", 1)            \
  X(seNavPaneItemSelected, sgNavPane, "ItemSelected", 1) X(seNavPaneOverflowPanel, sgNavPane, "OverflowPanel", 1) \
  X(seNavPaneOverflowPanelItem, sgNavPane, "OverflowPanelItem", 1)                                       \
  X(seNavPaneOverflowPanelExpandItem, sgNavPane, "OverflowPanelExpandItem", 1)                           \
  X(seNavPaneScrollUpButton, sgNavPane, "ScrollUpButton", 1)                                             \
  X(seNavPaneScrollDownButton, sgNavPane, "ScrollDownButton", 1) X(seNavPaneSplitter, sgNavPane, "Splitter", 1) \
  X(seNavigator, sgEditors, "Navigator", 1) X(seNavigatorVert, sgEditors, "NavigatorVert", 1)            \
  X(seAllDayArea, sgScheduler, "AllDayArea", 1) X(seAllDayAreaSelected, sgScheduler, "AllDayAreaSelected", 1) \
  X(seAppointment, sgScheduler, "Appointment", 1)                                                        \
  X(seAppointmentRightBorder, sgScheduler, "AppointmentRightBorder", 1)                                  \
  X(seAppointmentMask, sgScheduler, "AppointmentMask", 1)                                                \
  X(seAppointmentBottomShadow, sgScheduler, "AppointmentBottomShadow", 1)                                \
  X(seAppointmentRightShadow, sgScheduler, "AppointmentRightShadow", 1)                                  \
  X(seCurrentTimeIndicator, sgScheduler, "CurrentTimeIndicator", 1) X(seMoreButton, sgScheduler, "MoreButton", 1) \
  X(seTimeGridCurrentTimeIndicator, sgScheduler, "TimeGridCurrentTimeIndicator", 0)                      \
  X(seTimeGridHeader, sgScheduler, "TimeGridHeader", 1)                                                  \
  X(seTimeGridHeaderSelected, sgScheduler, "TimeGridHeaderSelected", 1)                                  \
  X(seDefaultTimeLine, sgScheduler, "DefaultTimeLine", 1) X(seRuler, sgScheduler, "Ruler", 1)            \
  X(seNavButtonPrev, sgScheduler, "NavButtonPrev", 1) X(seNavButtonNext, sgScheduler, "NavButtonNext", 1) \
  X(seNavButtonPrevArrow, sgScheduler, "NavButtonPrevArrow", 1)                                          \
  X(seNavButtonNextArrow, sgScheduler, "NavButtonNextArrow", 1)                                          \
  /* headers, filter, page control, progress bar, radio button, scroll bars */                           \
  X(seHeader, sgCommon, "Header", 1) X(seHeaderSpecial, sgCommon, "HeaderSpecial", 1)                    \
  X(seFilterButton, sgGrid, "FilterButton", 1) X(seFilterButtonActive, sgGrid, "FilterButtonActive", 1)  \
  X(seGridFilterPanel, sgGrid, "GridFilterPanel", 1)                                                     \
  X(sePageTabHeader, sgPageControl, "TabHeader", 1) X(seTabButtonHorz, sgPageControl, "TabButtonHorz", 1) \
  X(seTabButtonVert, sgPageControl, "TabButtonVert", 1) X(seTabPane, sgPageControl, "TabPane", 1)        \
  X(seProgressBorder, sgEditors, "ProgressBorder", 1) X(seProgressBorderVert, sgEditors, "ProgressBorderVert", 1) \
  X(seProgressChunk, sgEditors, "ProgressChunk", 1) X(seProgressChunkVert, sgEditors, "ProgressChunkVert", 1) \
  X(seRadioButton, sgEditors, "RadioButton", 1)                                                          \
  X(seScrollButton, sgCommon, "ScrollButton", 1) X(seScrollThumbVert, sgCommon, "ScrollThumbVert", 1)    \
  X(seScrollThumbHorz, sgCommon, "ScrollThumbHorz", 1) X(seScrollContentVert, sgCommon, "ScrollContentVert", 1) \
  X(seScrollContentHorz, sgCommon, "ScrollContentHorz", 1)                                               \
  /* ribbon */                                                                                           \
  X(seRibbonFormAppButton, sgRibbon, "FormAppButton", 1) X(seRibbonAppMenuBackground, sgRibbon, "AppMenuBackground", 1) \
  X(seRibbonAppMenuBackgroundBottom, sgRibbon, "AppMenuBackgroundBottom", 1)                             \
  X(seRibbonTabGroupCollapsed, sgRibbon, "TabGroupCollapsed", 1)                                         \
  X(seRibbonTabGroupCollapsedBox, sgRibbon, "TabGroupCollapsedBox", 1)                                   \
  X(seRibbonFormCaption, sgRibbon, "FormCaption", 1) X(seRibbonFormFrameBottom, sgRibbon, "FormFrameBottom", 1) \
  X(seRibbonDialogFrameBottom, sgRibbon, "DialogFrameBottom", 1) X(seRibbonFormFrameLeft, sgRibbon, "FormFrameLeft", 1) \
  X(seRibbonDialogFrameLeft, sgRibbon, "DialogFrameLeft", 1) X(seRibbonFormFrameRight, sgRibbon, "FormFrameRight", 1) \
  X(seRibbonDialogFrameRight, sgRibbon, "DialogFrameRight", 1) X(seRibbonTab, sgRibbon, "Tab", 1)        \
  X(seRibbonTabPanel, sgRibbon, "TabPanel", 1) X(seRibbonTabGroupButton, sgRibbon, "TabGroupButton", 1)  \
  X(seRibbonTabGroup, sgRibbon, "TabGroup", 1) X(seRibbonTabGroupCaption, sgRibbon, "TabGroupCaption", 1) \
  X(seRibbonDropDownGalleryBackground, sgRibbon, "DropDownGalleryBackground", 1)                         \
  X(seRibbonInRibbonGalleryButtonDown, sgRibbon, "InRibbonGalleryButtonDown", 1)                         \
  X(seRibbonInRibbonGalleryButtonDropDown, sgRibbon, "InRibbonGalleryButtonDropDown", 1)                 \
  X(seRibbonInRibbonGalleryButtonUp, sgRibbon, "InRibbonGalleryButtonUp", 1)                             \
  X(seRibbonDropDownGalleryGroupHeader, sgRibbon, "DropDownGalleryGroupHeader", 1)                       \
  X(seRibbonInRibbonGalleryPane, sgRibbon, "InRibbonGalleryPane", 1)                                     \
  X(seRibbonDropDownGallerySizePanel, sgRibbon, "DropDownGallerySizePanel", 1)                           \
  X(seRibbonDropDownGallerySizeGrip, sgRibbon, "DropDownGallerySizeGrip", 1)                             \
  X(seRibbonTabBackground, sgRibbon, "TabBackground", 1) X(seRibbonButton, sgRibbon, "Button", 1)        \
  X(seRibbonSplitButtonLeft, sgRibbon, "SplitButtonLeft", 1) X(seRibbonSplitButtonRight, sgRibbon, "SplitButtonRight", 1) \
  X(seRibbonLargeButton, sgRibbon, "LargeButton", 1) X(seRibbonLargeSplitButtonTop, sgRibbon, "LargeSplitButtonTop", 1) \
  X(seRibbonLargeSplitButtonBottom, sgRibbon, "LargeSplitButtonBottom", 1)                               \
  X(seRibbonButtonArrow, sgRibbon, "ButtonArrow", 1) X(seRibbonButtonGroup, sgRibbon, "ButtonGroup", 1)  \
  X(seRibbonStatusBarBackground, sgRibbon, "StatusBarBackground", 1)                                     \
  X(seRibbonStatusBarButton, sgRibbon, "StatusBarButton", 1)                                             \
  X(seRibbonStatusBarSeparator, sgRibbon, "StatusBarSeparator", 1)                                       \
  X(seRibbonQATInRibbonBackground, sgRibbon, "QATInRibbonBackground", 1)                                 \
  X(seRibbonQATAboveBackground, sgRibbon, "QATAboveBackground", 1)                                       \
  X(seRibbonQATBelowBackground, sgRibbon, "QATBelowBackground", 1)                                       \
  X(seRibbonQATButtonGlyph, sgRibbon, "QATButtonGlyph", 1) X(seRibbonQATOverflow, sgRibbon, "QATOverflow", 1) \
  X(seRibbonQATCustomizeButton, sgRibbon, "QATCustomizeButton", 1)                                       \
  X(seRibbonButtonGroupButton, sgRibbon, "ButtonGroupButton", 1)                                         \
  X(seRibbonButtonGroupSeparator, sgRibbon, "ButtonGroupSeparator", 1)                                   \
  /* size grip, splitters, track bar, screen tips */                                                     \
  X(seSizeGrip, sgCommon, "SizeGrip", 1) X(seSplitter, sgCommon, "Splitter", 1)                          \
  X(seSplitterHorz, sgCommon, "SplitterHorz", 1)                                                         \
  X(seTrackBarThumbVertUp, sgEditors, "TrackBarThumbVertUp", 1)                                          \
  X(seTrackBarThumbVert, sgEditors, "TrackBarThumbVert", 1)                                              \
  X(seTrackBarThumbVertBoth, sgEditors, "TrackBarThumbVertBoth", 1)                                      \
  X(seTrackBarThumbUp, sgEditors, "TrackBarThumbUp", 1) X(seTrackBarThumb, sgEditors, "TrackBarThumb", 1) \
  X(seTrackBarThumbBoth, sgEditors, "TrackBarThumbBoth", 1)                                              \
  X(seTrackBarTrackVert, sgEditors, "TrackBarTrackVert", 1) X(seTrackBarTrack, sgEditors, "TrackBarTrack", 1) \
  X(seScreenTipWindow, sgBars, "ScreenTipWindow", 1) X(seScreenTipSeparator, sgBars, "ScreenTipSeparator", 1)

// Bound properties (identifier, kind, owner group or element, name). Colour and integer values are
// read from their property, with clDefault or 0 when it is missing.
#define DX_SKIN_INFO_PROPERTIES(X)                                                                       \
  X(spBarsDisabledTextColor, spkColor, sgBars, "DisabledTextColor")                                      \
  X(spScreenTipItem, spkColor, seScreenTipWindow, "ScreenTipItem")                                       \
  X(spScreenTipTitleItem, spkColor, seScreenTipWindow, "ScreenTipTitleItem")                             \
  X(spButtonDisabledText, spkColor, seButton, "DisabledText")                                            \
  X(spDockTabHeaderTextColor, spkColor, sgDocking, "TabHeaderTextColor")                                 \
  X(spDockTabHeaderTextColorActive, spkColor, sgDocking, "TabHeaderTextColorActive")                     \
  X(spActiveTabHeaderDownGrow, spkInteger, sgDocking, "ActiveTabHeaderDownGrow")                         \
  X(spActiveTabHeaderHGrow, spkInteger, sgDocking, "ActiveTabHeaderHGrow")                               \
  X(spActiveTabHeaderUpGrow, spkInteger, sgDocking, "ActiveTabHeaderUpGrow")                             \
  X(spDockInactiveCaptionTextColor, spkColor, seDockWindowCaption, "InactiveCaptionTextColor")           \
  X(spEditorsBackgroundColor, spkColor, sgEditors, "BackgroundColor")                                    \
  X(spEditorsBackgroundDisabledColor, spkColor, sgEditors, "BackgroundDisabledColor")                    \
  X(spEditorsTextColor, spkColor, sgEditors, "TextColor")                                                \
  X(spEditorsTextDisabledColor, spkColor, sgEditors, "TextDisabledColor")                                \
  X(spFormTextColorInactive, spkColor, sgForm, "TextColorInactive")                                      \
  X(spFormTextShadowColor, spkColor, sgForm, "TextShadowColor")                                          \
  X(spFormCaptionFontDelta, spkInteger, seFormCaption, "FontDelta")                                      \
  X(spPageTextColor, spkColor, sePageTabHeader, "TextColor")                                             \
  X(spPageTextColorSelected, spkColor, sePageTabHeader, "TextColorSelected")                             \
  X(spPageTextColorDisabled, spkColor, sePageTabHeader, "TextColorDisabled")                             \
  X(spPageTextColorHot, spkColor, sePageTabHeader, "TextColorHot")                                       \
  X(spRowIndentFar, spkInteger, sgPageControl, "RowIndentFar")                                           \
  X(spRowIndentNear, spkInteger, sgPageControl, "RowIndentNear")                                         \
  X(spSelectedHeaderDownGrow, spkInteger, sgPageControl, "SelectedHeaderDownGrow")                       \
  X(spSelectedHeaderHGrow, spkInteger, sgPageControl, "SelectedHeaderHGrow")                             \
  X(spSelectedHeaderUpGrow, spkInteger, sgPageControl, "SelectedHeaderUpGrow")                           \
  X(spHeaderDownGrow, spkInteger, sgPageControl, "HeaderDownGrow")                                       \
  X(spNavigatorColor, spkColor, sgScheduler, "NavigatorColor")                                           \
  X(spAppointmentBorderSize, spkInteger, seAppointment, "BorderSize")                                    \
  X(spAppointmentSeparatorColor, spkColor, seAppointment, "SeparatorColor")                              \
  X(spNavPaneCaptionHeight, spkInteger, seNavPaneCaption, "Height")                                      \
  X(spNavPaneCaptionFontSize, spkInteger, seNavPaneCaption, "FontSize")                                  \
  X(spRibbonAppMenuExtraPaneColor, spkColor, sgRibbon, "AppMenuExtraPaneColor")                          \
  X(spRibbonButtonDisabled, spkColor, sgRibbon, "ButtonDisabled")                                        \
  X(spRibbonCaptionTextColorInactive, spkColor, seRibbonFormCaption, "TextColorInactive")                \
  X(spRibbonDocumentNameTextColor, spkColor, seRibbonFormCaption, "DocumentNameTextColor")               \
  X(spRibbonCaptionFontDelta, spkInteger, seRibbonFormCaption, "FontDelta")                              \
  X(spRibbonTabTextColorSelected, spkColor, seRibbonTab, "TextColorSelected")                            \
  X(spRibbonStatusBarTextColor, spkColor, seRibbonStatusBarButton, "TextColor")                          \
  X(spRibbonStatusBarTextColorHot, spkColor, seRibbonStatusBarButton, "TextColorHot")                    \
  X(spRibbonStatusBarTextColorDisabled, spkColor, seRibbonStatusBarButton, "TextColorDisabled")          \
  X(spQATAboveCustomizeOutside, spkBoolean, seRibbonQATAboveBackground, "DisplayCustomizeButtonOutsideQAT") \
  X(spQATAboveIndent, spkInteger, seRibbonQATAboveBackground, "IndentBeforeCustomizeButton")             \
  X(spQATInRibbonCustomizeOutside, spkBoolean, seRibbonQATInRibbonBackground, "DisplayCustomizeButtonOutsideQAT") \
  X(spQATInRibbonIndent, spkInteger, seRibbonQATInRibbonBackground, "IndentBeforeCustomizeButton")       \
  X(spRibbonAppButtonRightIndent, spkInteger, seRibbonFormAppButton, "RightIndent")                      \
  X(spRibbonQATInRibbonOffset, spkInteger, seRibbonQATInRibbonBackground, "Offset")                      \
  X(spRibbonTabHeaderDownGrow, spkInteger, sgRibbon, "TabHeaderDownGrow")

// The skin colours (from the skin's colour list).
#define DX_SKIN_INFO_COLORS(X)                                                                           \
  X(scContainerBorderColor, "ContainerBorderColor") X(scContainerHighlightBorderColor, "ContainerHighlightBorderColor") \
  X(scContentColor, "ContentColor") X(scContentEvenColor, "ContentEvenColor") X(scContentOddColor, "ContentOddColor") \
  X(scContentTextColor, "ContentTextColor") X(scDockControlHiddenBarTextColor, "DockControlHiddenBarTextColor")      \
  X(scHeaderBackgroundColor, "HeaderBackgroundColor") X(scHeaderBackgroundTextColor, "HeaderBackgroundTextColor")    \
  X(scLayoutControlColor, "LayoutControlColor") X(scSelectionColor, "SelectionColor")                                \
  X(scSelectionTextColor, "SelectionTextColor")

#define DX_SKIN_INFO_ID(id, ...) id,
enum TdxSkinGroupId : int { DX_SKIN_INFO_GROUPS(DX_SKIN_INFO_ID) sgCount };
enum TdxSkinElementId : int { DX_SKIN_INFO_ELEMENTS(DX_SKIN_INFO_ID) seCount };
enum TdxSkinPropertyId : int { DX_SKIN_INFO_PROPERTIES(DX_SKIN_INFO_ID) spCount };
enum TdxSkinColorId : int { DX_SKIN_INFO_COLORS(DX_SKIN_INFO_ID) scCount };
#undef DX_SKIN_INFO_ID
enum TdxSkinPropertyKind : uint8_t { spkColor, spkInteger, spkBoolean };

// An element of a scroll bar part and the image index it is drawn with.
class TdxSkinScrollInfo : public TObject {
  CALDERAN_CLASS(TdxSkinScrollInfo)
  TdxSkinScrollInfo(TdxSkinElement* element, int imageIndex) : Element(element), ImageIndex(imageIndex) {}
  TdxSkinElement* Element;
  int ImageIndex;
};

class IdxSkinInfo {
 public:
  virtual TdxSkin* GetSkin() = 0;

 protected:
  ~IdxSkinInfo() = default;
};

class TdxSkinInfo : public TcxIUnknownObject, public IdxSkinChangeListener, public IdxSkinInfo {
  CALDERAN_CLASS(TdxSkinInfo)
  // Takes the skin over: it is freed with the skin info.
  explicit TdxSkinInfo(TdxSkin* skin);
  ~TdxSkinInfo() override;

  TdxSkin* GetSkin() override { return skin_; }
  void SetSkin(TdxSkin* skin);
  void SkinChanged(TdxSkin*) override { SkinChanged(); }

  TdxSkinControlGroup* Group(TdxSkinGroupId id) const { return groups_[id]; }
  TdxSkinElement* Element(TdxSkinElementId id) const { return elements_[id]; }
  TdxSkinColor* SkinColor(TdxSkinColorId id) const { return colors_[id]; }
  TdxSkinProperty* Property(TdxSkinPropertyId id) const { return properties_[id]; }
  TdxSkinColor* ColorProperty(TdxSkinPropertyId id) const;
  // The property's value, or clDefault / the default when it is missing.
  TColor ColorValue(TdxSkinPropertyId id) const;
  int IntegerValue(TdxSkinPropertyId id, int defaultValue = 0) const;
  // The element's text colour, clDefault for a missing element.
  TColor ElementTextColor(TdxSkinElementId id) const;

  // Editor-button kinds 0-7; window frames [tool window 0 / normal 1][left, caption, right, bottom];
  // caption buttons [row][kind 1 help ... 5 close]; frame widths (left, 0, right, bottom).
  TdxSkinElement* EditorButtonElements[8] = {};
  TdxSkinElement* FormFrames[2][4] = {};
  TdxSkinElement* FormCaptionButtons[2][6] = {};
  TRect FormFrameWidths[2] = {};
  int CaptionFontDelta = 1;
  // [horizontal][part 1-5]; part 0 stays empty.
  std::unique_ptr<TdxSkinScrollInfo> ScrollBarInfos[2][6];

 protected:
  virtual void InitializeInfo();
  virtual void FinalizeInfo();
  virtual void SkinChanged();
  // Clears a bound element (for a skin info that does without one).
  void ForgetElement(TdxSkinElementId id) { elements_[id] = nullptr; }

  TdxSkinControlGroup* BindGroup(const std::string& name);
  TdxSkinElement* BindElement(TdxSkinControlGroup* group, const std::string& name, bool create);
  TdxSkinElement* AddMissingElement(TdxSkinControlGroup* group, const std::string& name);

 private:
  void BindAll();
  void BindProperties();
  void BindForm();
  void BindScrollBars();
  void AdjustColors();

  TdxSkin* skin_ = nullptr;
  TdxSkinControlGroup* groups_[sgCount] = {};
  TdxSkinElement* elements_[seCount] = {};
  TdxSkinProperty* properties_[spCount] = {};
  TdxSkinColor* colors_[scCount] = {};
  std::unique_ptr<TdxPNGImage> placeholder_;
};

// The painter info of one registered skin.
class TdxSkinLookAndFeelPainterInfo : public TdxSkinInfo {
  CALDERAN_CLASS(TdxSkinLookAndFeelPainterInfo)
  using TdxSkinInfo::TdxSkinInfo;
};
