// The tab control's core: state, property writers, the selection path and the life cycle.
#include <algorithm>

#include "BinaryFiler.h"
#include "Forms.h"
#include "RzTabs.h"

CALDERAN_IMPLEMENT_CLASS(TRzCustomTabControl, TCustomControl)

TRzCustomTabControl::TRzCustomTabControl(TComponent* owner)
    : TCustomControl(owner),
      bitmap_(std::make_unique<TBitmap>()),
      tabData_(std::make_unique<TRzTabDataList>()),
      regionCache_(std::make_unique<TRzTabRegionCache>()),
      imageChangeLink_(std::make_unique<TChangeLink>()),
      tabColors_(std::make_unique<TRzTabColors>(this)),
      textColors_(std::make_unique<TRzTextColors>(this)) {
  SetBounds(Left(), Top(), 300, 100);
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks});
  workFont_.Assign(Font());
  imageChangeLink_->OnChange = MakeEvent(this, &TRzCustomTabControl::ImageListChange);
  regionCache_->SetCapacity(regionCacheCapacity_);
  SetTabStop(true);
  SetNeedsLayout(true);
}

TRzCustomTabControl::~TRzCustomTabControl() {
  StopHoverTimer();
  if (images_) images_->UnRegisterChanges(imageChangeLink_.get());
  // the strip buttons are owned children: they go before the state they read
  Destroying();
  DestroyComponents();
}

void TRzCustomTabControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_SIZE: WMSize(message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(message); break;
    case WM_GETDLGCODE: WMGetDlgCode(message); break;
    case WM_SETFOCUS: case WM_KILLFOCUS: WMFocusChanged(message); break;
    case WM_TIMER: WMTimer(message); break;
    case CM_DIALOGCHAR: CMDialogChar(message); break;
    case CM_DESIGNHITTEST: CMDesignHitTest(message); break;
    case CM_FONTCHANGED: CMFontChanged(message); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(message); break;
    case CM_COLORCHANGED: CMColorChanged(message); break;
    case CM_MOUSELEAVE: CMMouseLeave(message); break;
    default: TCustomControl::Dispatch(message);
  }
}

void TRzCustomTabControl::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

bool TRzCustomTabControl::IsLoadingOrReading() const {
  return ComponentState().Contains(csLoading) || ComponentState().Contains(csReading);
}

// The row depth is stored so that a loaded form has it before the first layout.
void TRzCustomTabControl::DefineProperties(TFiler* filer) {
  TCustomControl::DefineProperties(filer);
  filer->DefineProperty("FixedDimension", MakeEvent(this, &TRzCustomTabControl::SetFixedDimension),
                        MakeEvent(this, &TRzCustomTabControl::WriteFixedDimension), true);
}

void TRzCustomTabControl::SetFixedDimension(TReader* reader) { fixedDimension_ = reader->ReadInteger(); }
void TRzCustomTabControl::WriteFixedDimension(TWriter* writer) { writer->WriteInteger(fixedDimension_); }

void TRzCustomTabControl::Loaded() {
  TCustomControl::Loaded();
  savedHint_ = Hint();
  SetNeedsLayout(true);
  if (textOrientation_ == orVertical && !FontIsTrueType(Font())) Font()->SetName("Verdana");
  // The stored TabIndex is kept (a stand-alone tab control shows the tab it was saved with); the
  // page control settles its own page afterwards.
  SetTabIndex(tabIndex_);
}

void TRzCustomTabControl::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == opRemove && component == images_) SetImages(nullptr);
}

void TRzCustomTabControl::ImageListChange(TObject*) { TabsChanged(); }

// ---------------------------------------------------------------------------------------------
// Selection

bool TRzCustomTabControl::CanChange(int index) {
  if (index < 0 || index >= tabData_->Count()) return false;
  const TRzTabData* tab = tabData_->Items(index);
  if (!tab->Visible || !(tab->Enabled || ComponentState().Contains(csDesigning))) return false;
  bool allow = true;
  if (index != tabIndex_) DoChanging(index, allow);
  return allow;
}

void TRzCustomTabControl::SetTabIndex(int value) {
  if (IsLoadingOrReading()) {
    tabIndex_ = value;
    return;
  }
  if (value < 0 || value >= tabData_->Count()) {
    if (tabIndex_ != -1) {
      tabIndex_ = -1;
      InvalidateTabs();
    }
    return;
  }
  const int old = tabIndex_;
  const bool allowed = value == old || internalSelection_ || CanChange(value);
  bool scrolled = false;
  if (allowed) {
    tabIndex_ = value;
    if (!scrollingNeeded_) {
      RotateRows(value);
    } else if (value < firstShownTab_) {
      firstShownTab_ = value;
      scrolled = true;
    } else {
      while (firstShownTab_ < tabIndex_ && !IsTabShown(tabIndex_) && ScrollTabs(true)) scrolled = true;
    }
  }
  if (scrolled || tabIndex_ != old) {
    InvalidateTabs();
    if (scroller_) scroller_->Invalidate();
    if (tabIndex_ != old) {
      DoChange();
      DoPageChange();
      if (ComponentState().Contains(csDesigning) && paintedOnce_) NotifyDesignerModified(this);
    }
  }
  if (closeButton_ && showCloseButton_) closeButton_->Invalidate();
  if (menuButton_ && showMenuButton_) menuButton_->Invalidate();
}

void TRzCustomTabControl::SetTabIndexInternally(int value) {
  internalSelection_ = true;
  try {
    SetTabIndex(value);
  } catch (...) {
    internalSelection_ = false;
    throw;
  }
  internalSelection_ = false;
}

void TRzCustomTabControl::DoChanging(int newIndex, bool& allowChange) {
  if (OnChanging) OnChanging(this, newIndex, allowChange);
}
void TRzCustomTabControl::DoGetTextColor(int tabIndex, TRzTextStyle style, TColor& color, bool& handled) {
  if (OnGetTextColor) OnGetTextColor(this, tabIndex, style, color, handled);
}
void TRzCustomTabControl::DoTabClick() {
  if (OnTabClick) OnTabClick(this);
}
void TRzCustomTabControl::DoChange() {
  if (OnChange) OnChange(this);
}
void TRzCustomTabControl::DoPageChange() {
  if (OnPageChange) OnPageChange(this);
}
void TRzCustomTabControl::DoTabOrderChange(int oldIndex, int newIndex) {
  if (OnTabOrderChange) OnTabOrderChange(this, oldIndex, newIndex);
}
bool TRzCustomTabControl::DoClose() {
  bool allow = false;
  if (OnClose) OnClose(this, allow);
  return allow;
}
void TRzCustomTabControl::DoPaintBackground(TCanvas* canvas, const TRect& rect, bool& handled) {
  if (OnPaintBackground) OnPaintBackground(this, canvas, rect, handled);
}
void TRzCustomTabControl::DoPaintCardBackground(TCanvas* canvas, int row, const TRect& rect, bool& handled) {
  if (OnPaintCardBackground) OnPaintCardBackground(this, canvas, row, rect, handled);
}
void TRzCustomTabControl::DoPaintTabBackground(TCanvas* canvas, int tabIndex, const TRect& rect, bool& handled) {
  if (OnPaintTabBackground) OnPaintTabBackground(this, canvas, tabIndex, rect, handled);
}

void TRzCustomTabControl::TabsChanged() { SetNeedsLayout(true); }

void TRzCustomTabControl::InvalidateTabs() {
  hotRepaintOnly_ = false;
  Invalidate();
}

void TRzCustomTabControl::SetNeedsLayout(bool value) {
  needsLayout_ = value;
  if (value) InvalidateTabs();
}

void TRzCustomTabControl::SetShowCard(bool value) {
  if (value == showCard_) return;
  showCard_ = value;
  TabsChanged();
}

void TRzCustomTabControl::LayoutIfNeeded() {
  if (!needsLayout_) return;
  needsLayout_ = false;
  Layout();
}

// ---------------------------------------------------------------------------------------------
// Property writers

void TRzCustomTabControl::SetAlignTabs(bool value) {
  if (StoreChanged(alignTabs_, value) && multiLine_) TabsChanged();
}
void TRzCustomTabControl::SetBackgroundColor(TColor value) {
  if (!StoreChanged(backgroundColor_, value)) return;
  parentBackgroundColor_ = false;
  InvalidateTabs();
}
void TRzCustomTabControl::SetBoldCurrentTab(bool value) { if (StoreChanged(boldCurrentTab_, value)) TabsChanged(); }
void TRzCustomTabControl::SetUseColoredTabs(bool value) { if (StoreChanged(useColoredTabs_, value)) InvalidateTabs(); }
void TRzCustomTabControl::SetCutCornerSize(int value) {
  if (value >= 0 && StoreChanged(cutCornerSize_, value) && tabStyle_ == tsCutCorner) TabsChanged();
}
void TRzCustomTabControl::SetFlatColor(TColor value) {
  if (!StoreChanged(flatColor_, value)) return;
  UpdateStripButtonColors();
  InvalidateTabs();
}
void TRzCustomTabControl::SetFlatColorAdjustment(int value) {
  if (!StoreChanged(flatColorAdjustment_, value)) return;
  UpdateStripButtonColors();
  InvalidateTabs();
}
void TRzCustomTabControl::SetImageAlignment(TRzHorizontalAlignment value) {
  if (StoreChanged(imageAlignment_, value)) TabsChanged();
}
void TRzCustomTabControl::SetImageMargin(int value) { if (value >= 0 && StoreChanged(imageMargin_, value)) TabsChanged(); }
void TRzCustomTabControl::SetImagePosition(TRzImagePosition value) { if (StoreChanged(imagePosition_, value)) TabsChanged(); }
void TRzCustomTabControl::SetImageAlignmentVertical(TRzVerticalAlignment value) {
  if (StoreChanged(imageAlignmentVertical_, value)) TabsChanged();
}
void TRzCustomTabControl::SetHotTrack(bool value) {
  if (StoreChanged(hotTrack_, value) && !value && !tabHints_) StopHoverTimer();
}
void TRzCustomTabControl::SetHotTrackColor(TColor value) { if (StoreChanged(hotTrackColor_, value)) InvalidateTabs(); }
void TRzCustomTabControl::SetHotTrackColorType(TRzHotTrackColorType value) {
  if (StoreChanged(hotTrackColorType_, value)) InvalidateTabs();
}
void TRzCustomTabControl::SetHotTrackStyle(TRzTabHotTrackStyle value) {
  if (StoreChanged(hotTrackStyle_, value)) InvalidateTabs();
}
void TRzCustomTabControl::SetImages(TCustomImageList* value) {
  if (value == images_) return;
  if (images_) {
    images_->UnRegisterChanges(imageChangeLink_.get());
    images_->RemoveFreeNotification(this);
  }
  images_ = value;
  if (images_) {
    images_->RegisterChanges(imageChangeLink_.get());
    images_->FreeNotification(this);
  }
  TabsChanged();
}
void TRzCustomTabControl::SetMargin(int value) { if (value >= 0 && StoreChanged(margin_, value)) TabsChanged(); }
void TRzCustomTabControl::SetMultiLine(bool value) { if (StoreChanged(multiLine_, value)) TabsChanged(); }
void TRzCustomTabControl::SetParentBackgroundColor(bool value) {
  if (StoreChanged(parentBackgroundColor_, value) && Parent()) Perform(CM_PARENTCOLORCHANGED);
}
void TRzCustomTabControl::SetRowIndent(int value) { if (value >= 0 && StoreChanged(rowIndent_, value)) TabsChanged(); }
void TRzCustomTabControl::SetRowOverlap(int value) { if (value >= 0 && StoreChanged(rowOverlap_, value)) TabsChanged(); }
void TRzCustomTabControl::SetShowCardFrame(bool value) { if (StoreChanged(showCardFrame_, value)) TabsChanged(); }
void TRzCustomTabControl::SetShowCloseButton(bool value) {
  if (!StoreChanged(showCloseButton_, value)) return;
  if (!closeButton_ && value) {
    closeButton_ = new TRzTabCloseButton(this);
    closeButton_->OnClose = MakeEvent(this, &TRzCustomTabControl::CloseRequest);
    UpdateStripButtonColors();
  }
  if (closeButton_) closeButton_->SetVisible(value);
  TabsChanged();
}
void TRzCustomTabControl::SetShowMenuButton(bool value) {
  if (!StoreChanged(showMenuButton_, value)) return;
  if (!menuButton_ && value) {
    menuButton_ = new TRzTabMenuButton(this);
    UpdateStripButtonColors();
  }
  if (menuButton_) menuButton_->SetVisible(value);
  TabsChanged();
}
void TRzCustomTabControl::SetShowFocusRect(bool value) { if (StoreChanged(showFocusRect_, value)) Invalidate(); }
void TRzCustomTabControl::SetShowFullFrame(bool value) {
  if (!StoreChanged(showFullFrame_, value)) return;
  if (!value) showShadow_ = false;
  TabsChanged();
}
void TRzCustomTabControl::SetShowShadow(bool value) {
  if (!StoreChanged(showShadow_, value)) return;
  if (value) showFullFrame_ = true;
  TabsChanged();
}
void TRzCustomTabControl::SetSoftCorners(bool value) { if (StoreChanged(softCorners_, value)) TabsChanged(); }
void TRzCustomTabControl::SetTabOverlap(int value) { if (StoreChanged(tabOverlap_, value)) TabsChanged(); }
// Rotated text needs a TrueType face.
void TRzCustomTabControl::SetTextOrientation(TOrientation value) {
  if (!StoreChanged(textOrientation_, value)) return;
  if (!ComponentState().Contains(csLoading) && !FontIsTrueType(Font())) Font()->SetName("Verdana");
  TabsChanged();
}
void TRzCustomTabControl::SetTabHeight(int value) { if (value >= 0 && StoreChanged(tabHeight_, value)) TabsChanged(); }
void TRzCustomTabControl::SetTabHints(bool value) {
  if (StoreChanged(tabHints_, value) && !value && !hotTrack_) StopHoverTimer();
}
void TRzCustomTabControl::SetTabOrientation(TRzTabOrientation value) {
  if (StoreChanged(tabOrientation_, value) && !IsLoadingOrReading()) TabsChanged();
}
void TRzCustomTabControl::SetRegionCacheCapacity(int value) {
  if ((value != -1 && value <= 0) || value == regionCacheCapacity_) return;
  regionCacheCapacity_ = value;
  regionCache_->SetCapacity(value);
}
void TRzCustomTabControl::SetTabSequence(TRzTabSequence value) { if (StoreChanged(tabSequence_, value)) TabsChanged(); }
void TRzCustomTabControl::SetTabStyle(TRzTabStyle value) { if (StoreChanged(tabStyle_, value)) TabsChanged(); }
void TRzCustomTabControl::SetTabWidth(int value) { if (value >= 0 && StoreChanged(tabWidth_, value)) TabsChanged(); }
void TRzCustomTabControl::SetTextAlignment(TRzHorizontalAlignment value) {
  if (StoreChanged(textAlignment_, value)) TabsChanged();
}
void TRzCustomTabControl::SetTextAlignmentVertical(TRzVerticalAlignment value) {
  if (StoreChanged(textAlignmentVertical_, value)) TabsChanged();
}
void TRzCustomTabControl::SetUseGradients(bool value) { if (StoreChanged(useGradients_, value)) InvalidateTabs(); }
void TRzCustomTabControl::SetTransparent(bool value) { if (StoreChanged(transparent_, value)) InvalidateTabs(); }

void TRzCustomTabControl::UpdateStripButtonColors() {
  const TColor frame = ShiftColorLum(flatColor_, flatColorAdjustment_);
  for (TRzTabStripButton* button : {static_cast<TRzTabStripButton*>(scroller_),
                                    static_cast<TRzTabStripButton*>(closeButton_),
                                    static_cast<TRzTabStripButton*>(menuButton_)})
    if (button) button->SetFrameColor(frame);
}

// ---------------------------------------------------------------------------------------------
// Messages

void TRzCustomTabControl::WMSize(TMessage& m) {
  TCustomControl::Dispatch(m);
  TabsChanged();
}

void TRzCustomTabControl::WMFocusChanged(TMessage& m) {
  InvalidateTabs();
  TCustomControl::Dispatch(m);
}

void TRzCustomTabControl::CMFontChanged(TMessage& m) {
  workFont_.Assign(Font());
  TabsChanged();
  TCustomControl::Dispatch(m);
}

void TRzCustomTabControl::CMParentColorChanged(TMessage& m) {
  TCustomControl::Dispatch(m);
  if (parentBackgroundColor_ && Parent()) {
    SetBackgroundColor(Parent()->Color());
    parentBackgroundColor_ = true;
  }
}

void TRzCustomTabControl::CMColorChanged(TMessage& m) {
  if (useColoredTabs_) {
    NotifyControls(CM_PARENTCOLORCHANGED);
    return;
  }
  TCustomControl::Dispatch(m);
  InvalidateTabs();
}
