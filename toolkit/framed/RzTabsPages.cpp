// Pages and the page control: the visible pages' tabs are the control's tabs, and the current tab's
// page is the one page shown.
#include <algorithm>

#include "Forms.h"
#include "RzFramedStrings.h"
#include "RzTabs.h"
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CREATABLE(TRzTabSheet, TCustomControl, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TRzPageControl, TRzCustomTabControl, TComponent*)

TRzTabSheet::TRzTabSheet(TComponent* owner) : TCustomControl(owner) {
  TControl::SetVisible(false);
  SetControlStyle(ControlStyle() + csAcceptsControls + csOpaque + csNoDesignVisible);
  SetAlign(alClient);
  TControl::SetColor(clBtnFace);
}

TRzTabSheet::~TRzTabSheet() {
  if (pageControl_) pageControl_->RemovePage(this);
}

void TRzTabSheet::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CM_TEXTCHANGED: CMTextChanged(message); break;
    case WM_ERASEBKGND: message.Result = 1; break;
    default: TCustomControl::Dispatch(message);
  }
}

void TRzTabSheet::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

// A page placed on a page control (in code or by a stored form) joins it.
void TRzTabSheet::SetParent(TWinControl* parent) {
  auto* pageControl = ObjectAs<TRzPageControl>(parent);
  if (!joining_ && pageControl != pageControl_) return SetPageControl(pageControl);
  TCustomControl::SetParent(parent);
}

void TRzTabSheet::SetPageControl(TRzPageControl* value) {
  if (value == pageControl_) return;
  if (pageControl_) pageControl_->RemovePage(this);
  joining_ = true;
  try {
    TCustomControl::SetParent(value);
  } catch (...) {
    joining_ = false;
    throw;
  }
  joining_ = false;
  if (value) value->InsertPage(this);
}

void TRzTabSheet::AssignTo(TPersistent* dest) {
  auto* tab = ObjectAs<TRzTabData>(dest);
  if (!tab) return TCustomControl::AssignTo(dest);
  tab->Caption = Caption();
  tab->Color = Color();
  tab->Enabled = tabEnabled_;
  tab->Visible = tabVisible_;
  tab->Hint = Hint();
  tab->ImageIndex = imageIndex_;
  tab->DisabledIndex = disabledIndex_;
}

int TRzTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  const auto& pages = pageControl_->pages_;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TRzTabSheet::SetPageIndex(int value) {
  if (!pageControl_) return;
  const int last = pageControl_->PageCount() - 1;
  if (value < 0 || value > last) throw Exception(Format(LoadToolkitString(rzSInvalidPageIndex), {value, last}));
  const int old = PageIndex();
  if (old == value) return;
  pageControl_->MovePage(this, value);
  pageControl_->TabsChanged();
  pageControl_->DoTabOrderChange(old, value);
}

int TRzTabSheet::TabIndex() const {
  if (!tabVisible_ || !pageControl_) return -1;
  int index = 0;
  for (TRzTabSheet* page : pageControl_->pages_) {
    if (page == this) return index;
    if (page->tabVisible_) ++index;
  }
  return -1;
}

void TRzTabSheet::SetTabEnabled(bool value) {
  if (StoreChanged(tabEnabled_, value) && pageControl_) pageControl_->TabsChanged();
}
void TRzTabSheet::SetTabVisible(bool value) {
  if (StoreChanged(tabVisible_, value) && pageControl_) pageControl_->TabsChanged();
}
void TRzTabSheet::SetImageIndex(int value) {
  if (StoreChanged(imageIndex_, value) && pageControl_) pageControl_->TabsChanged();
}
void TRzTabSheet::SetDisabledIndex(int value) {
  if (StoreChanged(disabledIndex_, value) && pageControl_) pageControl_->TabsChanged();
}

void TRzTabSheet::SetPageVisible(bool) { throw Exception(LoadToolkitString(rzSPageVisible)); }

void TRzTabSheet::SetPageColor(TColor value) {
  if (value == Color()) return;
  if (pageControl_ && !pageControl_->UseColoredTabs() && value != pageControl_->Color())
    pageControl_->SetUseColoredTabs(true);
  TControl::SetColor(value);
  if (pageControl_) pageControl_->TabsChanged();
}

void TRzTabSheet::Paint() {
  const TRect bounds{0, 0, Width(), Height()};
  bool handled = false;
  if (OnPaintBackground) OnPaintBackground(this, Canvas(), bounds, handled);
  if (handled) return;
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(bounds);
}

void TRzTabSheet::CMTextChanged(TMessage& m) {
  TCustomControl::Dispatch(m);
  if (pageControl_) pageControl_->TabsChanged();
}

// ---------------------------------------------------------------------------------------------
TRzPageControl::TRzPageControl(TComponent* owner) : TRzCustomTabControl(owner) {
  SetControlStyle(ControlStyle() - csAcceptsControls + csOpaque);
  SetBounds(Left(), Top(), Width(), 150);
}

TRzPageControl::~TRzPageControl() {
  for (TRzTabSheet* page : pages_) page->pageControl_ = nullptr;
  pages_.clear();
  activePage_ = activePageDefault_ = nullptr;
}

void TRzPageControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CM_COLORCHANGED: CMColorChanged(message); break;
    case CM_DIALOGKEY: CMDialogKey(message); break;
    case WM_SETFOCUS: WMSetFocus(message); break;
    case CM_DOCKCLIENT: CMDockClient(message); break;
    case CM_DOCKNOTIFICATION: CMDockNotification(message); break;
    case CM_UNDOCKCLIENT: CMUnDockClient(message); break;
    case WM_LBUTTONDOWN: WMLButtonDown(message); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(message); break;
    default: TRzCustomTabControl::Dispatch(message);
  }
}

void TRzPageControl::CreateParams(TCreateParams& params) {
  TRzCustomTabControl::CreateParams(params);
  params.Style |= WS_CLIPCHILDREN;
}

void TRzPageControl::InsertPage(TRzTabSheet* page) {
  pages_.push_back(page);
  page->pageControl_ = this;
  TabsChanged();
}

void TRzPageControl::RemovePage(TRzTabSheet* page) {
  if (page == activePage_) SetActivePage(nullptr);
  pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
  if (page == activePageDefault_) activePageDefault_ = nullptr;
  TabsChanged();
  page->pageControl_ = nullptr;
}

void TRzPageControl::MovePage(TRzTabSheet* page, int index) {
  pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
  pages_.insert(pages_.begin() + index, page);
}

void TRzPageControl::Notification(TComponent* component, TOperation operation) {
  TRzCustomTabControl::Notification(component, operation);
  if (operation == opRemove && component == activePageDefault_) activePageDefault_ = nullptr;
}

void TRzPageControl::TabsChanged() {
  Tabs()->Clear();
  for (TRzTabSheet* page : pages_) {
    if (!page->TabVisible()) continue;
    auto data = std::make_unique<TRzTabData>();
    data->Assign(page);
    Tabs()->Add(data.release());
  }
  // The active page keeps its tab under a new number: a re-numbering, not a change of page, so no
  // OnChanging can refuse it and leave the tab index on another page.
  if (activePage_) {
    const int index = activePage_->TabIndex();
    if (index != TabIndex()) SetTabIndexInternally(index);
  }
  TRzCustomTabControl::TabsChanged();
}

// Nothing the form handles runs while the form is being read: its other components are not ready.
void TRzPageControl::DoChanging(int newIndex, bool& allowChange) {
  const bool formLoading = Owner() && Owner()->ComponentState().Contains(csLoading);
  if (!loading_ && !formLoading && !ComponentState().Contains(csLoading))
    TRzCustomTabControl::DoChanging(newIndex, allowChange);
  if (!allowChange) return;
  TRzTabSheet* page = nullptr;
  for (TRzTabSheet* candidate : pages_)
    if (newIndex >= 0 && candidate->TabIndex() == newIndex) page = candidate;
  ChangeActivePage(page);
}

void TRzPageControl::DoChange() {
  if (!loading_) TRzCustomTabControl::DoChange();
}

void TRzPageControl::DoPageChange() {
  if (!loading_) TRzCustomTabControl::DoPageChange();
}

void TRzPageControl::SetActivePage(TRzTabSheet* page) {
  if (page && page->PageControl() != this) return;
  if (IsLoadingOrReading()) {
    activePage_ = page;
    return;
  }
  const int index = page ? page->TabIndex() : -1;
  if (index < 0) {
    ChangeActivePage(page);
    DoPageChange();
  }
  SetTabIndex(index);
}

void TRzPageControl::SetActivePageDefault(TRzTabSheet* page) {
  if (page == activePageDefault_) return;
  activePageDefault_ = page;
  if (page) page->FreeNotification(this);
}

void TRzPageControl::ChangeActivePage(TRzTabSheet* page) {
  if (page == activePage_) return;
  TCustomForm* form = GetParentForm(this);
  TRzTabSheet* old = activePage_;
  if (form && old && form->ActiveControl() && old->ContainsControl(form->ActiveControl()))
    form->SetActiveControl(old);
  if (page) {
    page->BringToFront();
    page->TControl::SetVisible(true);
  }
  if (form && old && form->ActiveControl() == old) {
    if (page && page->CanFocus()) form->SetActiveControl(page);
    else form->SetActiveControl(this);
  }
  if (old) {
    old->TControl::SetVisible(false);
    if (saveResources_ && !ComponentState().Contains(csDesigning) && old->HandleAllocated()) old->DestroyHandle();
  }
  activePage_ = page;
  if (form && page && form->ActiveControl() == page) page->SelectFirst();
}

int TRzPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TRzPageControl::SetActivePageIndex(int value) {
  if (value < 0 || value >= PageCount()) return SetTabIndex(-1);
  SetActivePage(pages_[value]);
}

void TRzPageControl::SetSaveResources(bool value) {
  if (value == saveResources_) return;
  saveResources_ = value;
  if (!value || ComponentState().Contains(csDesigning)) return;
  for (TRzTabSheet* page : pages_)
    if (page != activePage_ && page->HandleAllocated()) page->DestroyHandle();
}

void TRzPageControl::SetUseColoredTabs(bool value) {
  const bool changed = value != UseColoredTabs();
  TRzCustomTabControl::SetUseColoredTabs(value);
  if (changed && Parent() && !UseColoredTabs()) Perform(CM_COLORCHANGED);
}

// Closing the first tab selects the new first tab; closing another selects the one before it.
void TRzPageControl::CloseCurrentTab() {
  if (!activePage_) return;
  const int closed = activePage_->TabIndex();
  delete activePage_;
  SetTabIndex(closed > 0 ? closed - 1 : 0);
}

void TRzPageControl::MoveCurrentTab(int newTabIndex) {
  if (activePage_) activePage_->SetPageIndex(newTabIndex);
}

void TRzPageControl::HideAllTabs() {
  for (TRzTabSheet* page : std::vector<TRzTabSheet*>(pages_)) page->SetTabVisible(false);
}

void TRzPageControl::ShowAllTabs() {
  for (TRzTabSheet* page : std::vector<TRzTabSheet*>(pages_)) page->SetTabVisible(true);
}

void TRzPageControl::DoPaintCardBackground(TCanvas* canvas, int row, const TRect& rect, bool& handled) {
  TRzCustomTabControl::DoPaintCardBackground(canvas, row, rect, handled);
  if (handled || row != 0 || TabIndex() < 0 || !activePage_) return;
  canvas->Brush()->SetColor(activePage_->Color());
  canvas->FillRect(rect);
  handled = true;
}

void TRzPageControl::CMColorChanged(TMessage& m) {
  if (!UseColoredTabs())
    for (TRzTabSheet* page : pages_) page->SetPageColor(Color());
  TRzCustomTabControl::Dispatch(m);
}

void TRzPageControl::CMDialogKey(TMessage& m) {
  TRzCustomTabControl::Dispatch(m);
  if (m.Result) return;
  TCustomForm* form = GetParentForm(this);
  const bool inside = form && form->ActiveControl() && ContainsControl(form->ActiveControl());
  if (!inside || m.WParam != VK_TAB || GetKeyState(VK_CONTROL) >= 0) return;
  SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
  m.Result = 1;
}

void TRzPageControl::WMSetFocus(TMessage& m) {
  TRzCustomTabControl::Dispatch(m);
  if (!activePage_ || activePage_->TabVisible()) return;
  for (int i = 0; i < activePage_->ControlCount(); ++i)
    if (auto* child = ObjectAs<TWinControl>(activePage_->Controls(i)); child && child->CanFocus()) {
      child->SetFocus();
      return;
    }
}

TRzTabSheet* TRzPageControl::FindNextPage(TRzTabSheet* current, bool goForward, bool visibleTabsOnly) const {
  const int count = PageCount();
  if (count == 0) return nullptr;
  auto at = std::find(pages_.begin(), pages_.end(), current);
  int start = at != pages_.end() ? static_cast<int>(at - pages_.begin()) : (goForward ? count - 1 : 0);
  int i = start;
  for (int n = 0; n < count; ++n) {
    i = goForward ? (i + 1) % count : (i - 1 + count) % count;
    if (!visibleTabsOnly || pages_[i]->TabVisible()) return pages_[i];
  }
  return nullptr;
}

void TRzPageControl::SelectNextPage(bool goForward) {
  if (TRzTabSheet* page = FindNextPage(activePage_, goForward, true)) SetActivePage(page);
}

// The page shown after loading is the default page when one is set, else the stored one; no event
// runs for it, and no OnChanging reaches the form while it is still being read.
void TRzPageControl::Loaded() {
  loading_ = true;
  try {
    TRzCustomTabControl::Loaded();
    LayoutIfNeeded();
    SetTabIndex(-1);
    TRzTabSheet* show = activePage_;
    if (activePageDefault_ && activePageDefault_ != activePage_) {
      if (activePage_) activePage_->TControl::SetVisible(false);
      show = activePageDefault_;
    }
    activePage_ = nullptr;
    TabsChanged();
    SetActivePage(show);
  } catch (...) {
    loading_ = false;
    throw;
  }
  loading_ = false;
}
