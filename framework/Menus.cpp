// Menu items, main and popup menus.
#include "Menus.h"

#include <algorithm>
#include <cstring>

#include "ImgList.h"
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CLASS(EMenuError, Exception)
CALDERAN_IMPLEMENT_CREATABLE(TMenuItem, TComponent, TComponent*)
CALDERAN_IMPLEMENT_CLASS(TMenu, TComponent)
CALDERAN_IMPLEMENT_CREATABLE(TMainMenu, TMenu, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TPopupMenu, TMenu, TComponent*)

namespace {
UINT NextCommand() {
  static UINT next = 100;
  if (++next > 0xFFF0) next = 101;
  return next;
}

struct TKeyName {
  Word key;
  const char* name;
};
constexpr TKeyName keyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},   {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},  {VK_END, "End"},      {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},     {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},    {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

std::string KeyName(Word key) {
  for (const auto& k : keyNames)
    if (k.key == key) return k.name;
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  return {};
}

TMenuItem* rootOwner(TMenuItem* item) {
  while (item->Parent()) item = item->Parent();
  return item;
}

LRESULT PopupListProc(TMessage& m);
void PopupListMethod(void*, TMessage& m) { m.Result = PopupListProc(m); }

HWND popupList = nullptr;
std::vector<TPopupMenu*>& ShownMenus() {
  static std::vector<TPopupMenu*> list;
  return list;
}

LRESULT PopupListProc(TMessage& m) {
  for (TPopupMenu* menu : ShownMenus()) {
    if (m.Msg == WM_MEASUREITEM && menu->DispatchMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam))) return TRUE;
    if (m.Msg == WM_DRAWITEM && menu->DispatchDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam))) return TRUE;
  }
  return DefWindowProcA(popupList, m.Msg, m.WParam, m.LParam);
}

void StopMenus() {
  if (popupList) DeallocateHWnd(popupList);
  popupList = nullptr;
}
}  // namespace

const TUnitInfo MenusUnit{"Menus", nullptr, StopMenus};

HWND PopupListWindow() {
  if (!popupList) popupList = AllocateHWnd(TWndMethod(&PopupListMethod, nullptr));
  return popupList;
}

// ---------------------------------------------------------------------------------------------
// Shortcuts
TShortCut ShortCut(Word key, TShiftState shift) {
  if (key & 0xFF00) return 0;
  TShortCut s = key;
  if (shift.Contains(ssShift)) s |= scShift;
  if (shift.Contains(ssCtrl)) s |= scCtrl;
  if (shift.Contains(ssAlt)) s |= scAlt;
  return s;
}

std::string ShortCutToText(TShortCut shortCut) {
  std::string name = KeyName(shortCut & 0xFF);
  if (name.empty()) return {};
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + name;
}

TShortCut TextToShortCut(const std::string& text) {
  TShortCut modifiers = 0;
  std::string rest = text;
  for (bool found = true; found;) {
    found = false;
    for (auto [prefix, flag] : {std::pair{"Shift+", scShift}, std::pair{"Ctrl+", scCtrl}, std::pair{"Alt+", scAlt}})
      if (rest.size() > std::strlen(prefix) && SameText(rest.substr(0, std::strlen(prefix)), prefix)) {
        modifiers |= flag;
        rest = rest.substr(std::strlen(prefix));
        found = true;
      }
  }
  for (int key = 1; key < 256; ++key)
    if (!KeyName(static_cast<Word>(key)).empty() && SameText(KeyName(static_cast<Word>(key)), rest))
      return static_cast<TShortCut>(key | modifiers);
  return 0;
}

// ---------------------------------------------------------------------------------------------
// TMenuItem
TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand()) {}

TMenuItem::~TMenuItem() {
  Destroying();
  if (parent_) parent_->Remove(this);
  while (!items_.empty()) {
    TMenuItem* item = items_.back();
    items_.pop_back();
    item->parent_ = nullptr;
    delete item;
  }
  if (handle_) DestroyMenu(handle_);
}

int TMenuItem::MenuIndex() const { return parent_ ? parent_->IndexOf(const_cast<TMenuItem*>(this)) : -1; }
int TMenuItem::IndexOf(TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item->parent_) throw EMenuError("Menu inserted twice");
  if (index < 0 || index > Count()) throw EMenuError(Format(SListIndexError, {index}));
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  Changed();
}

void TMenuItem::Delete(int index) {
  if (index < 0 || index >= Count()) throw EMenuError(Format(SListIndexError, {index}));
  TMenuItem* item = items_[index];
  Remove(item);
  delete item;
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  Changed();
}

void TMenuItem::Clear() {
  while (!items_.empty()) Delete(Count() - 1);
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
  for (TMenuItem* item : items_) {
    std::string plain;
    for (size_t i = 0; i < item->caption_.size(); ++i)
      if (item->caption_[i] != '&' || (i + 1 < item->caption_.size() && item->caption_[i + 1] == '&' && ++i))
        plain += item->caption_[i];
    if (AnsiSameText(plain, caption)) return item;
  }
  return nullptr;
}

TComponent* TMenuItem::GetParentComponent() const {
  if (parent_ && parent_->menu_) return parent_->menu_;
  return parent_;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* menu = ObjectAs<TMenu>(parent)) menu->Items()->Add(this);
  else if (auto* item = ObjectAs<TMenuItem>(parent)) item->Add(this);
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->parent_) item = item->parent_;
  return item->menu_;
}

TCustomImageList* TMenuItem::GetImageList() const {
  TMenu* menu = GetParentMenu();
  return menu ? menu->Images() : nullptr;
}

void TMenuItem::Changed() {
  TMenuItem* root = rootOwner(this);
  if (root->menu_) root->menu_->RebuildHandle();
  else if (handle_) {
    DestroyMenu(handle_);
    handle_ = nullptr;
  }
}

void TMenuItem::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  Changed();
}
void TMenuItem::SetShortCut(TShortCut shortCut) {
  if (shortCut == shortCut_) return;
  shortCut_ = shortCut;
  Changed();
}
// Checking a radio item unchecks the others of its group.
void TMenuItem::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  if (value && radioItem_ && parent_)
    for (TMenuItem* other : parent_->items_)
      if (other != this && other->radioItem_ && other->groupIndex_ == groupIndex_) other->checked_ = false;
  Changed();
}
void TMenuItem::SetRadioItem(bool value) {
  if (value == radioItem_) return;
  radioItem_ = value;
  Changed();
}
void TMenuItem::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Changed();
}
void TMenuItem::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Changed();
}
void TMenuItem::SetDefault(bool value) {
  if (value == default_) return;
  default_ = value;
  Changed();
}
void TMenuItem::SetImageIndex(int index) {
  if (index == imageIndex_) return;
  imageIndex_ = index;
  Changed();
}

TBitmap* TMenuItem::Bitmap() {
  if (!bitmap_) {
    bitmap_ = std::make_unique<TBitmap>();
    bitmap_->OnChange = TNotifyEvent(+[](void* self, TObject*) { static_cast<TMenuItem*>(self)->Changed(); }, this);
  }
  return bitmap_.get();
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

HMENU TMenuItem::Handle() {
  if (!handle_) {
    handle_ = CreatePopupMenu();
    if (!handle_) throw EMenuError("Cannot create a menu");
    TMenu* menu = GetParentMenu();
    bool ownerDraw = menu && menu->NeedsOwnerDraw();
    for (TMenuItem* item : items_) item->AppendTo(handle_, ownerDraw);
  }
  return handle_;
}

void TMenuItem::AppendTo(HMENU menu, bool ownerDraw) {
  if (!visible_) return;
  if (IsLine()) {
    AppendMenuA(menu, MF_SEPARATOR | (ownerDraw ? MF_OWNERDRAW : 0), 0, nullptr);
    return;
  }
  std::string text = caption_;
  if (shortCut_) text += "\t" + ShortCutToText(shortCut_);
  UINT flags = (enabled_ ? MF_ENABLED : MF_GRAYED) | (checked_ ? MF_CHECKED : 0) | (ownerDraw ? MF_OWNERDRAW : MF_STRING);
  UINT_PTR id = command_;
  if (!items_.empty()) {
    if (handle_) DestroyMenu(handle_);
    handle_ = nullptr;
    flags |= MF_POPUP;
    id = reinterpret_cast<UINT_PTR>(Handle());
  }
  // owner-drawn items carry the item itself as their data
  const char* data = ownerDraw ? reinterpret_cast<const char*>(this) : text.c_str();
  if (!AppendMenuA(menu, flags, id, data)) throw EMenuError("Cannot build the menu");
  if (radioItem_ && checked_ && !ownerDraw) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    info.fType = MFT_RADIOCHECK;
    SetMenuItemInfoA(menu, GetMenuItemCount(menu) - 1, TRUE, &info);
  }
  if (default_) SetMenuDefaultItem(menu, GetMenuItemCount(menu) - 1, TRUE);
}

TMenuItem* TMenuItem::FindCommand(UINT command) {
  if (command_ == command && items_.empty()) return this;
  for (TMenuItem* item : items_)
    if (TMenuItem* found = item->FindCommand(command)) return found;
  return nullptr;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) {
  for (TMenuItem* item : items_) {
    if (!item->visible_) continue;
    if (item->shortCut_ == shortCut && item->enabled_) return item;
    if (TMenuItem* found = item->FindShortCut(shortCut)) return found;
  }
  return nullptr;
}

// Owner-drawn items: image (or bitmap) in a square column, then the caption and the shortcut.
void TMenuItem::MeasureItem(TCanvas* canvas, int& width, int& height) {
  if (OnMeasureItem) {
    OnMeasureItem(this, canvas, width, height);
    return;
  }
  if (IsLine()) {
    width = 10;
    height = 5;
    return;
  }
  int glyph = 16;
  if (TCustomImageList* images = GetImageList()) glyph = std::max(glyph, images->Width());
  if (HasBitmap()) glyph = std::max<int>(glyph, bitmap_->Width());
  std::string text = caption_ + (shortCut_ ? "    " + ShortCutToText(shortCut_) : "");
  width = glyph + 8 + canvas->TextWidth(text) + 8;
  height = std::max(canvas->TextHeight("Qg") + 4, glyph + 4);
}

void TMenuItem::DrawItem(TCanvas* canvas, const TRect& rect, bool selected) {
  if (OnDrawItem) {
    OnDrawItem(this, canvas, rect, selected);
    return;
  }
  canvas->Brush()->SetColor(selected ? clHighlight : clMenu);
  canvas->FillRect(rect);
  if (IsLine()) {
    TRect line = rect;
    line.Top += rect.Height() / 2 - 1;
    DrawEdge(canvas->Handle(), line.Win(), EDGE_ETCHED, BF_TOP);
    return;
  }
  int glyph = 16;
  TCustomImageList* images = GetImageList();
  if (images) glyph = std::max(glyph, images->Width());
  if (images && imageIndex_ >= 0 && imageIndex_ < images->Count())
    images->Draw(canvas, rect.Left + 2, rect.Top + (rect.Height() - images->Height()) / 2, imageIndex_, enabled_);
  else if (HasBitmap())
    canvas->Draw(rect.Left + 2, rect.Top + (rect.Height() - bitmap_->Height()) / 2, bitmap_.get());
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  canvas->Font()->SetColor(!enabled_ ? clGrayText : selected ? clHighlightText : clMenuText);
  TRect text = rect;
  text.Left += glyph + 8;
  text.Right -= 8;
  DrawTextA(canvas->Handle(), caption_.c_str(), -1, text.Win(), DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (shortCut_) {
    std::string keys = ShortCutToText(shortCut_);
    DrawTextA(canvas->Handle(), keys.c_str(), -1, text.Win(), DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
  }
}

// ---------------------------------------------------------------------------------------------
// TMenu
TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
  items_->menu_ = this;
}

TMenu::~TMenu() {
  Destroying();
  items_.reset();
  if (handle_) DestroyMenu(handle_);
}

HMENU TMenu::Handle() {
  if (!handle_) {
    handle_ = CreateMenuHandle();
    if (!handle_) throw EMenuError("Cannot create a menu");
    bool ownerDraw = NeedsOwnerDraw();
    for (int i = 0; i < items_->Count(); ++i) items_->Items(i)->AppendTo(handle_, ownerDraw);
  }
  return handle_;
}

bool TMenu::NeedsOwnerDraw() const { return ownerDraw_ || images_; }

// A main menu keeps its handle (the form shows it): its items are rebuilt in place.
void TMenu::RebuildHandle() {
  if (!handle_) return;
  while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
  bool ownerDraw = NeedsOwnerDraw();
  for (int i = 0; i < items_->Count(); ++i) items_->Items(i)->AppendTo(handle_, ownerDraw);
}

void TMenu::SetImages(TCustomImageList* images) {
  if (images == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images) images->FreeNotification(this);
  RebuildHandle();
}

void TMenu::SetOwnerDraw(bool value) {
  if (value == ownerDraw_) return;
  ownerDraw_ = value;
  RebuildHandle();
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == images_) {
    images_ = nullptr;
    RebuildHandle();
  }
}

bool TMenu::DispatchCommand(UINT command) {
  TMenuItem* item = items_->FindCommand(command);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenu::IsShortCut(TMessage& m) {
  if (m.Msg != WM_KEYDOWN && m.Msg != WM_SYSKEYDOWN && m.Msg != CN_KEYDOWN && m.Msg != CN_SYSKEYDOWN) return false;
  TShortCut key = ShortCut(LOWORD(m.WParam), KeyDataToShiftState(m.LParam));
  if (!key) return false;
  TMenuItem* item = items_->FindShortCut(key);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenu::DispatchMeasureItem(MEASUREITEMSTRUCT* m) {
  if (!m || m->CtlType != ODT_MENU) return false;
  auto* item = reinterpret_cast<TMenuItem*>(m->itemData);
  if (!item || item->GetParentMenu() != this) return false;
  TBitmap scratch(1, 1);
  TCanvas* canvas = scratch.Canvas();
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    canvas->Font()->SetHandle(CreateFontIndirectA(&metrics.lfMenuFont));
  int w = 0, h = 0;
  item->MeasureItem(canvas, w, h);
  m->itemWidth = w;
  m->itemHeight = h;
  return true;
}

bool TMenu::DispatchDrawItem(DRAWITEMSTRUCT* d) {
  if (!d || d->CtlType != ODT_MENU) return false;
  auto* item = reinterpret_cast<TMenuItem*>(d->itemData);
  if (!item || item->GetParentMenu() != this) return false;
  TCanvas canvas;
  canvas.SetHandle(d->hDC);
  int saved = SaveDC(d->hDC);
  item->DrawItem(&canvas, d->rcItem, (d->itemState & ODS_SELECTED) != 0);
  canvas.SetHandle(nullptr);
  RestoreDC(d->hDC, saved);
  return true;
}

// ---------------------------------------------------------------------------------------------
// TPopupMenu
TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  RebuildHandle();
  static constexpr UINT alignments[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
  HWND owner = PopupListWindow();
  ShownMenus().push_back(this);
  UINT command = TrackPopupMenu(Handle(), alignments[alignment_] | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, owner, nullptr);
  std::erase(ShownMenus(), this);
  if (command) DispatchCommand(command);
}
