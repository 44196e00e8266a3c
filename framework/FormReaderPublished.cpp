// The published properties of controls, fonts and forms: what stored definitions may set.
#include "ActnList.h"
#include "Controls.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "ImgList.h"
#include "Mask.h"
#include "Menus.h"
#include "StdCtrls.h"
#include "TypInfo.h"

namespace {
#define CALDERAN_ENUM(Info, ...)                                  \
  constexpr const char* Info##Names[] = {__VA_ARGS__};            \
  constinit const TEnumInfo Info{Info##Names, static_cast<int>(std::size(Info##Names))};

CALDERAN_ENUM(AlignInfo, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom")
CALDERAN_ENUM(AnchorInfo, "akLeft", "akTop", "akRight", "akBottom")
CALDERAN_ENUM(DragModeInfo, "dmManual", "dmAutomatic")
CALDERAN_ENUM(DragKindInfo, "dkDrag", "dkDock")
CALDERAN_ENUM(FontStyleInfo, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
CALDERAN_ENUM(FontPitchInfo, "fpDefault", "fpVariable", "fpFixed")
CALDERAN_ENUM(FontQualityInfo, "fqDefault", "fqDraft", "fqProof", "fqNonAntialiased", "fqAntialiased", "fqClearType")
CALDERAN_ENUM(BorderStyleInfo, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin")
CALDERAN_ENUM(BorderIconInfo, "biSystemMenu", "biMinimize", "biMaximize", "biHelp")
CALDERAN_ENUM(PositionInfo, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
              "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter")
CALDERAN_ENUM(FormStyleInfo, "fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop")
CALDERAN_ENUM(WindowStateInfo, "wsNormal", "wsMinimized", "wsMaximized")
CALDERAN_ENUM(DefaultMonitorInfo, "dmDesktop", "dmPrimary", "dmMainForm", "dmActiveForm")
CALDERAN_ENUM(AlignmentInfo, "taLeftJustify", "taRightJustify", "taCenter")
CALDERAN_ENUM(TextLayoutInfo, "tlTop", "tlCenter", "tlBottom")
CALDERAN_ENUM(CheckBoxStateInfo, "cbUnchecked", "cbChecked", "cbGrayed")
CALDERAN_ENUM(EditCharCaseInfo, "ecNormal", "ecUpperCase", "ecLowerCase")
CALDERAN_ENUM(ScrollStyleInfo, "ssNone", "ssHorizontal", "ssVertical", "ssBoth")
CALDERAN_ENUM(ListBoxStyleInfo, "lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable")
CALDERAN_ENUM(ComboBoxStyleInfo, "csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable")
CALDERAN_ENUM(ScrollBarKindInfo, "sbHorizontal", "sbVertical")
CALDERAN_ENUM(BevelCutInfo, "bvNone", "bvLowered", "bvRaised", "bvSpace")
CALDERAN_ENUM(PopupAlignmentInfo, "paLeft", "paRight", "paCenter")
CALDERAN_ENUM(DrawingStyleInfo, "dsFocus", "dsSelected", "dsNormal", "dsTransparent")
CALDERAN_ENUM(ImageTypeInfo, "itImage", "itMask")
CALDERAN_ENUM(OpenOptionInfo, "ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp",
              "ofNoValidate", "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist",
              "ofCreatePrompt", "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton",
              "ofNoLongNames", "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing",
              "ofDontAddToRecent", "ofForceShowHidden")

constinit const TPropInfo fontProps[] = {
    Published<&TFont::Name, &TFont::SetName>("Name"),
    Published<&TFont::Height, &TFont::SetHeight>("Height"),
    Published<&TFont::Size, &TFont::SetSize>("Size"),
    Published<&TFont::Color, &TFont::SetColor>("Color"),
    Published<&TFont::Style, &TFont::SetStyle>("Style", &FontStyleInfo),
    Published<&TFont::Charset, &TFont::SetCharset>("Charset"),
    Published<&TFont::Pitch, &TFont::SetPitch>("Pitch", &FontPitchInfo),
    Published<&TFont::Orientation, &TFont::SetOrientation>("Orientation"),
    Published<&TFont::Quality, &TFont::SetQuality>("Quality", &FontQualityInfo),
};

constinit const TPropInfo controlProps[] = {
    Published<&TControl::Left, &TControl::SetLeft>("Left"),
    Published<&TControl::Top, &TControl::SetTop>("Top"),
    Published<&TControl::Width, &TControl::SetWidth>("Width"),
    Published<&TControl::Height, &TControl::SetHeight>("Height"),
    Published<&TControl::ClientWidth, &TControl::SetClientWidth>("ClientWidth"),
    Published<&TControl::ClientHeight, &TControl::SetClientHeight>("ClientHeight"),
    Published<&TControl::Align, &TControl::SetAlign>("Align", &AlignInfo),
    Published<&TControl::Anchors, &TControl::SetAnchors>("Anchors", &AnchorInfo),
    Published<&TControl::Visible, &TControl::SetVisible>("Visible"),
    Published<&TControl::Enabled, &TControl::SetEnabled>("Enabled"),
    Published<&TControl::Color, &TControl::SetColor>("Color"),
    Published<&TControl::ParentColor, &TControl::SetParentColor>("ParentColor"),
    Published<&TControl::Font, nullptr>("Font"),
    Published<&TControl::ParentFont, &TControl::SetParentFont>("ParentFont"),
    Published<&TControl::Caption, &TControl::SetCaption>("Caption"),
    Published<&TControl::Text, &TControl::SetText>("Text"),
    Published<&TControl::Hint, &TControl::SetHint>("Hint"),
    Published<&TControl::ShowHint, &TControl::SetShowHint>("ShowHint"),
    Published<&TControl::ParentShowHint, &TControl::SetParentShowHint>("ParentShowHint"),
    Published<&TControl::Cursor, &TControl::SetCursor>("Cursor"),
    Published<&TControl::PopupMenu, &TControl::SetPopupMenu>("PopupMenu"),
    Published<&TControl::DragMode, &TControl::SetDragMode>("DragMode", &DragModeInfo),
    Published<&TControl::DragCursor, &TControl::SetDragCursor>("DragCursor"),
    Published<&TControl::DragKind, &TControl::SetDragKind>("DragKind", &DragKindInfo).WithDefault(dkDrag),
    Published<&TControl::Action, &TControl::SetAction>("Action"),
    PublishedEvent<&TControl::OnClick>("OnClick"),
    PublishedEvent<&TControl::OnDblClick>("OnDblClick"),
    PublishedEvent<&TControl::OnMouseDown>("OnMouseDown"),
    PublishedEvent<&TControl::OnMouseMove>("OnMouseMove"),
    PublishedEvent<&TControl::OnMouseUp>("OnMouseUp"),
    PublishedEvent<&TControl::OnResize>("OnResize"),
    PublishedEvent<&TControl::OnContextPopup>("OnContextPopup"),
    PublishedEvent<&TControl::OnMouseEnter>("OnMouseEnter"),
    PublishedEvent<&TControl::OnMouseLeave>("OnMouseLeave"),
    PublishedEvent<&TControl::OnStartDock>("OnStartDock"),
    PublishedEvent<&TControl::OnEndDock>("OnEndDock"),
};

constinit const TPropInfo winControlProps[] = {
    Published<&TWinControl::TabOrder, &TWinControl::SetTabOrder>("TabOrder"),
    Published<&TWinControl::TabStop, &TWinControl::SetTabStop>("TabStop"),
    Published<&TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered>("DoubleBuffered"),
    Published<&TWinControl::ParentBackground, &TWinControl::SetParentBackground>("ParentBackground"),
    Published<&TWinControl::Ctl3D, &TWinControl::SetCtl3D>("Ctl3D"),
    Published<&TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D>("ParentCtl3D"),
    PublishedEvent<&TWinControl::OnKeyDown>("OnKeyDown"),
    PublishedEvent<&TWinControl::OnKeyPress>("OnKeyPress"),
    PublishedEvent<&TWinControl::OnKeyUp>("OnKeyUp"),
    PublishedEvent<&TWinControl::OnEnter>("OnEnter"),
    PublishedEvent<&TWinControl::OnExit>("OnExit"),
    PublishedEvent<&TWinControl::OnMouseWheel>("OnMouseWheel"),
    Published<&TWinControl::DockSite, &TWinControl::SetDockSite>("DockSite").WithDefault(false),
    Published<&TWinControl::UseDockManager, &TWinControl::SetUseDockManager>("UseDockManager").WithDefault(false),
    PublishedEvent<&TWinControl::OnDockDrop>("OnDockDrop"),
    PublishedEvent<&TWinControl::OnDockOver>("OnDockOver"),
    PublishedEvent<&TWinControl::OnGetSiteInfo>("OnGetSiteInfo"),
    PublishedEvent<&TWinControl::OnUnDock>("OnUnDock"),
};

constinit const TPropInfo formProps[] = {
    Published<&TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle>("BorderStyle", &BorderStyleInfo),
    Published<&TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons>("BorderIcons", &BorderIconInfo),
    Published<&TCustomForm::Position, &TCustomForm::SetPosition>("Position", &PositionInfo),
    Published<&TCustomForm::FormStyle, &TCustomForm::SetFormStyle>("FormStyle", &FormStyleInfo),
    Published<&TCustomForm::WindowState, &TCustomForm::SetWindowState>("WindowState", &WindowStateInfo),
    Published<&TCustomForm::DefaultMonitor, &TCustomForm::SetDefaultMonitor>("DefaultMonitor", &DefaultMonitorInfo),
    Published<&TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview>("KeyPreview"),
    Published<&TCustomForm::ActiveControl, &TCustomForm::SetActiveControl>("ActiveControl"),
    Published<&TCustomForm::Menu, &TCustomForm::SetMenu>("Menu"),
    Published<&TCustomForm::Icon, nullptr>("Icon"),
    Published<&TCustomForm::AlphaBlend, &TCustomForm::SetAlphaBlend>("AlphaBlend"),
    Published<&TCustomForm::AlphaBlendValue, &TCustomForm::SetAlphaBlendValue>("AlphaBlendValue"),
    PublishedEvent<&TCustomForm::OnCreate>("OnCreate"),
    PublishedEvent<&TCustomForm::OnDestroy>("OnDestroy"),
    PublishedEvent<&TCustomForm::OnShow>("OnShow"),
    PublishedEvent<&TCustomForm::OnHide>("OnHide"),
    PublishedEvent<&TCustomForm::OnClose>("OnClose"),
    PublishedEvent<&TCustomForm::OnCloseQuery>("OnCloseQuery"),
    PublishedEvent<&TCustomForm::OnActivate>("OnActivate"),
    PublishedEvent<&TCustomForm::OnDeactivate>("OnDeactivate"),
    PublishedEvent<&TCustomForm::OnPaint>("OnPaint"),
};

constinit const TPropInfo labelProps[] = {
    Published<&TCustomLabel::Alignment, &TCustomLabel::SetAlignment>("Alignment", &AlignmentInfo),
    Published<&TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize>("AutoSize"),
    Published<&TCustomLabel::Layout, &TCustomLabel::SetLayout>("Layout", &TextLayoutInfo),
    Published<&TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap>("WordWrap"),
    Published<&TCustomLabel::Transparent, &TCustomLabel::SetTransparent>("Transparent"),
    Published<&TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar>("ShowAccelChar"),
    Published<&TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl>("FocusControl"),
};

constinit const TPropInfo buttonProps[] = {
    Published<&TCustomButton::ModalResult, &TCustomButton::SetModalResult>("ModalResult"),
    Published<&TCustomButton::Default, &TCustomButton::SetDefault>("Default"),
    Published<&TCustomButton::Cancel, &TCustomButton::SetCancel>("Cancel"),
};

constinit const TPropInfo checkBoxProps[] = {
    Published<&TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked>("Checked"),
    Published<&TCustomCheckBox::State, &TCustomCheckBox::SetState>("State", &CheckBoxStateInfo),
    Published<&TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed>("AllowGrayed"),
    Published<&TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment>("Alignment", &AlignmentInfo),
};

constinit const TPropInfo editProps[] = {
    Published<&TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength>("MaxLength"),
    Published<&TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly>("ReadOnly"),
    Published<&TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar>("PasswordChar"),
    Published<&TCustomEdit::CharCase, &TCustomEdit::SetCharCase>("CharCase", &EditCharCaseInfo),
    Published<&TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle>("BorderStyle", &BorderStyleInfo),
    Published<&TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect>("AutoSelect"),
    PublishedEvent<&TCustomEdit::OnChange>("OnChange"),
};

constinit const TPropInfo memoProps[] = {
    Published<&TCustomMemo::Lines, nullptr>("Lines"),
    Published<&TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars>("ScrollBars", &ScrollStyleInfo),
    Published<&TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap>("WordWrap"),
    Published<&TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns>("WantReturns"),
};

constinit const TPropInfo maskEditProps[] = {
    Published<&TCustomMaskEdit::EditMask, &TCustomMaskEdit::SetEditMask>("EditMask"),
};

constinit const TPropInfo listBoxProps[] = {
    Published<&TCustomListBox::Items, nullptr>("Items"),
    Published<&TCustomListBox::Style, &TCustomListBox::SetStyle>("Style", &ListBoxStyleInfo),
    Published<&TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight>("ItemHeight"),
    Published<&TCustomListBox::Sorted, &TCustomListBox::SetSorted>("Sorted"),
    Published<&TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect>("MultiSelect"),
    PublishedEvent<&TCustomListBox::OnDrawItem>("OnDrawItem"),
    PublishedEvent<&TCustomListBox::OnMeasureItem>("OnMeasureItem"),
};

constinit const TPropInfo comboBoxProps[] = {
    Published<&TCustomComboBox::Items, nullptr>("Items"),
    Published<&TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex>("ItemIndex"),
    Published<&TCustomComboBox::Style, &TCustomComboBox::SetStyle>("Style", &ComboBoxStyleInfo),
    Published<&TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount>("DropDownCount"),
    Published<&TCustomComboBox::Sorted, &TCustomComboBox::SetSorted>("Sorted"),
    Published<&TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight>("ItemHeight"),
    PublishedEvent<&TCustomComboBox::OnChange>("OnChange"),
    PublishedEvent<&TCustomComboBox::OnSelect>("OnSelect"),
    PublishedEvent<&TCustomComboBox::OnDropDown>("OnDropDown"),
    PublishedEvent<&TCustomComboBox::OnCloseUp>("OnCloseUp"),
    PublishedEvent<&TCustomComboBox::OnDrawItem>("OnDrawItem"),
};

constinit const TPropInfo scrollBarProps[] = {
    Published<&TScrollBar::Kind, &TScrollBar::SetKind>("Kind", &ScrollBarKindInfo),
    Published<&TScrollBar::Min, &TScrollBar::SetMin>("Min"),
    Published<&TScrollBar::Max, &TScrollBar::SetMax>("Max"),
    Published<&TScrollBar::PageSize, &TScrollBar::SetPageSize>("PageSize"),
    Published<&TScrollBar::Position, &TScrollBar::SetPosition>("Position"),
    Published<&TScrollBar::SmallChange, &TScrollBar::SetSmallChange>("SmallChange"),
    Published<&TScrollBar::LargeChange, &TScrollBar::SetLargeChange>("LargeChange"),
    PublishedEvent<&TScrollBar::OnChange>("OnChange"),
    PublishedEvent<&TScrollBar::OnScroll>("OnScroll"),
};

constinit const TPropInfo timerProps[] = {
    Published<&TTimer::Enabled, &TTimer::SetEnabled>("Enabled"),
    Published<&TTimer::Interval, &TTimer::SetInterval>("Interval"),
    PublishedEvent<&TTimer::OnTimer>("OnTimer"),
};

constinit const TPropInfo panelProps[] = {
    Published<&TCustomPanel::Alignment, &TCustomPanel::SetAlignment>("Alignment", &AlignmentInfo),
    Published<&TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner>("BevelInner", &BevelCutInfo),
    Published<&TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter>("BevelOuter", &BevelCutInfo),
    Published<&TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth>("BevelWidth"),
    Published<&TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth>("BorderWidth"),
    Published<&TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle>("BorderStyle", &BorderStyleInfo),
    Published<&TCustomPanel::FullRepaint, &TCustomPanel::SetFullRepaint>("FullRepaint"),
    Published<&TWinControl::UseDockManager, &TWinControl::SetUseDockManager>("UseDockManager").WithDefault(true),
};

constinit const TPropInfo imageProps[] = {
    Published<&TImage::Picture, nullptr>("Picture"),
    Published<&TImage::Stretch, &TImage::SetStretch>("Stretch"),
    Published<&TImage::Center, &TImage::SetCenter>("Center"),
    Published<&TImage::Proportional, &TImage::SetProportional>("Proportional"),
    Published<&TImage::Transparent, &TImage::SetTransparent>("Transparent"),
    Published<&TImage::AutoSize, &TImage::SetAutoSize>("AutoSize"),
};

constinit const TPropInfo paintBoxProps[] = {PublishedEvent<&TPaintBox::OnPaint>("OnPaint")};

constinit const TPropInfo menuItemProps[] = {
    Published<&TMenuItem::Caption, &TMenuItem::SetCaption>("Caption"),
    Published<&TMenuItem::ShortCut, &TMenuItem::SetShortCut>("ShortCut"),
    Published<&TMenuItem::Checked, &TMenuItem::SetChecked>("Checked"),
    Published<&TMenuItem::RadioItem, &TMenuItem::SetRadioItem>("RadioItem"),
    Published<&TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex>("GroupIndex"),
    Published<&TMenuItem::Enabled, &TMenuItem::SetEnabled>("Enabled"),
    Published<&TMenuItem::Visible, &TMenuItem::SetVisible>("Visible"),
    Published<&TMenuItem::Default, &TMenuItem::SetDefault>("Default"),
    Published<&TMenuItem::ImageIndex, &TMenuItem::SetImageIndex>("ImageIndex"),
    Published<&TMenuItem::Hint, &TMenuItem::SetHint>("Hint"),
    Published<&TMenuItem::Bitmap, nullptr>("Bitmap"),
    PublishedEvent<&TMenuItem::OnClick>("OnClick"),
};

constinit const TPropInfo menuProps[] = {
    Published<&TMenu::Images, &TMenu::SetImages>("Images"),
    Published<&TMenu::OwnerDraw, &TMenu::SetOwnerDraw>("OwnerDraw"),
};

constinit const TPropInfo popupMenuProps[] = {
    Published<&TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup>("AutoPopup"),
    Published<&TPopupMenu::Alignment, &TPopupMenu::SetAlignment>("Alignment", &PopupAlignmentInfo),
    PublishedEvent<&TPopupMenu::OnPopup>("OnPopup"),
};

constinit const TPropInfo imageListProps[] = {
    Published<&TCustomImageList::Width, &TCustomImageList::SetWidth>("Width"),
    Published<&TCustomImageList::Height, &TCustomImageList::SetHeight>("Height"),
    Published<&TCustomImageList::AllocBy, &TCustomImageList::SetAllocBy>("AllocBy"),
    Published<&TCustomImageList::Masked, &TCustomImageList::SetMasked>("Masked"),
    Published<&TCustomImageList::ShareImages, &TCustomImageList::SetShareImages>("ShareImages"),
    Published<&TCustomImageList::BkColor, &TCustomImageList::SetBkColor>("BkColor"),
    Published<&TCustomImageList::BlendColor, &TCustomImageList::SetBlendColor>("BlendColor"),
    Published<&TCustomImageList::DrawingStyle, &TCustomImageList::SetDrawingStyle>("DrawingStyle", &DrawingStyleInfo),
    Published<&TCustomImageList::ImageType, &TCustomImageList::SetImageType>("ImageType", &ImageTypeInfo),
    PublishedEvent<&TCustomImageList::OnChange>("OnChange"),
};
constinit const TPropInfo actionProps[] = {
    Published<&TContainedAction::Category, &TContainedAction::SetCategory>("Category"),
    PublishedEvent<&TBasicAction::OnExecute>("OnExecute"),
    PublishedEvent<&TBasicAction::OnUpdate>("OnUpdate"),
};

constinit const TPropInfo customActionProps[] = {
    Published<&TCustomAction::Caption, &TCustomAction::SetCaption>("Caption"),
    Published<&TCustomAction::Checked, &TCustomAction::SetChecked>("Checked"),
    Published<&TCustomAction::Enabled, &TCustomAction::SetEnabled>("Enabled"),
    Published<&TCustomAction::Visible, &TCustomAction::SetVisible>("Visible"),
    Published<&TCustomAction::Hint, &TCustomAction::SetHint>("Hint"),
    Published<&TCustomAction::ImageIndex, &TCustomAction::SetImageIndex>("ImageIndex"),
    Published<&TCustomAction::ShortCut, &TCustomAction::SetShortCut>("ShortCut"),
    Published<&TCustomAction::GroupIndex, &TCustomAction::SetGroupIndex>("GroupIndex"),
    Published<&TCustomAction::AutoCheck, &TCustomAction::SetAutoCheck>("AutoCheck"),
};

constinit const TPropInfo actionListProps[] = {
    Published<&TCustomActionList::Images, &TCustomActionList::SetImages>("Images"),
    PublishedEvent<&TCustomActionList::OnExecute>("OnExecute"),
    PublishedEvent<&TCustomActionList::OnUpdate>("OnUpdate"),
};

constinit const TPropInfo openDialogProps[] = {
    Published<&TOpenDialog::FileName, &TOpenDialog::SetFileName>("FileName"),
    Published<&TOpenDialog::Filter, &TOpenDialog::SetFilter>("Filter"),
    Published<&TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex>("FilterIndex"),
    Published<&TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir>("InitialDir"),
    Published<&TOpenDialog::Title, &TOpenDialog::SetTitle>("Title"),
    Published<&TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt>("DefaultExt"),
    Published<&TOpenDialog::Options, &TOpenDialog::SetOptions>("Options", &OpenOptionInfo),
    PublishedEvent<&TCommonDialog::OnShow>("OnShow"),
    PublishedEvent<&TCommonDialog::OnClose>("OnClose"),
};
}  // namespace

// Registers the tables above and the classes that definitions create by name.
void RegisterVisualFramework() {
  RegisterPublishedProperties(TFont::StaticClass(), fontProps);
  RegisterPublishedProperties(TControl::StaticClass(), controlProps);
  RegisterPublishedProperties(TWinControl::StaticClass(), winControlProps);
  RegisterPublishedProperties(TCustomForm::StaticClass(), formProps);
  RegisterPublishedProperties(TCustomLabel::StaticClass(), labelProps);
  RegisterPublishedProperties(TCustomButton::StaticClass(), buttonProps);
  RegisterPublishedProperties(TCustomCheckBox::StaticClass(), checkBoxProps);
  RegisterPublishedProperties(TCustomEdit::StaticClass(), editProps);
  RegisterPublishedProperties(TCustomMemo::StaticClass(), memoProps);
  RegisterPublishedProperties(TCustomMaskEdit::StaticClass(), maskEditProps);
  RegisterPublishedProperties(TCustomListBox::StaticClass(), listBoxProps);
  RegisterPublishedProperties(TCustomComboBox::StaticClass(), comboBoxProps);
  RegisterPublishedProperties(TScrollBar::StaticClass(), scrollBarProps);
  RegisterPublishedProperties(TTimer::StaticClass(), timerProps);
  RegisterPublishedProperties(TCustomPanel::StaticClass(), panelProps);
  RegisterPublishedProperties(TImage::StaticClass(), imageProps);
  RegisterPublishedProperties(TPaintBox::StaticClass(), paintBoxProps);
  RegisterPublishedProperties(TMenuItem::StaticClass(), menuItemProps);
  RegisterPublishedProperties(TMenu::StaticClass(), menuProps);
  RegisterPublishedProperties(TPopupMenu::StaticClass(), popupMenuProps);
  RegisterPublishedProperties(TCustomImageList::StaticClass(), imageListProps);
  RegisterPublishedProperties(TContainedAction::StaticClass(), actionProps);
  RegisterPublishedProperties(TCustomAction::StaticClass(), customActionProps);
  RegisterPublishedProperties(TCustomActionList::StaticClass(), actionListProps);
  RegisterPublishedProperties(TOpenDialog::StaticClass(), openDialogProps);
  RegisterClasses({TForm::StaticClass(), TFrame::StaticClass(), TLabel::StaticClass(), TButton::StaticClass(),
                   TCheckBox::StaticClass(), TEdit::StaticClass(), TMemo::StaticClass(), TMaskEdit::StaticClass(),
                   TListBox::StaticClass(), TComboBox::StaticClass(), TScrollBar::StaticClass(), TTimer::StaticClass(),
                   TPanel::StaticClass(), TImage::StaticClass(), TPaintBox::StaticClass(), TMainMenu::StaticClass(),
                   TPopupMenu::StaticClass(), TMenuItem::StaticClass(), TImageList::StaticClass(),
                   TBitmap::StaticClass(), TIcon::StaticClass(), TAction::StaticClass(), TActionList::StaticClass(),
                   TOpenDialog::StaticClass(), TSaveDialog::StaticClass()});
}
