// Edit buttons: the settings of the buttons an editor carries inside its frame, their collection,
// and the per-button view info the repaint comparison reads.
#include "cxEdit.h"

CALDERAN_IMPLEMENT_CREATABLE(TcxEditButton, TCollectionItem, TCollection*)
CALDERAN_IMPLEMENT_CREATABLE(TcxEditButtons, TCollection, TPersistent*)
CALDERAN_IMPLEMENT_CREATABLE0(TcxEditButtonViewInfo, TPersistent)

namespace {

// Batches the changes of a button's construction or copy into one collection update.
class TCollectionUpdateScope {
 public:
  explicit TCollectionUpdateScope(TCollection* collection) : collection_(collection) {
    if (collection_) collection_->BeginUpdate();
  }
  ~TCollectionUpdateScope() {
    if (collection_) collection_->EndUpdate();
  }

 private:
  TCollection* collection_;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// TcxEditButton

TcxEditButton::TcxEditButton(TCollection* collection) : TCollectionItem(collection) {}

TcxEditButton::~TcxEditButton() = default;

void TcxEditButton::SetCaption(const std::string& value) {
  if (caption_ == value) return;
  caption_ = value;
  visibleCaption_ = RemoveAccelChars(caption_, true);
  Changed(false);
}

void TcxEditButton::SetDefault(bool value) {
  if (default_ == value) return;
  if (value)
    if (auto* buttons = ObjectAs<TcxEditButtons>(Collection()))
      for (int i = 0; i < buttons->Count(); ++i) buttons->Items(i)->default_ = false;
  default_ = value;
  Changed(true);
}

void TcxEditButton::SetWidth(int value) {
  if (value < 0 || value == width_) return;
  width_ = value;
  Changed(false);
}

TBitmap* TcxEditButton::Glyph() {
  if (!glyph_) {
    glyph_ = std::make_unique<TBitmap>();
    glyph_->OnChange = MakeEvent(this, &TcxEditButton::GlyphChanged);
  }
  return glyph_.get();
}

void TcxEditButton::SetGlyph(TBitmap* value) {
  if (!value) glyph_.reset();
  else Glyph()->Assign(value);
  Changed(false);
}

void TcxEditButton::Assign(TPersistent* source) {
  auto* button = ObjectAs<TcxEditButton>(source);
  if (!button) return TCollectionItem::Assign(source);
  TCollectionUpdateScope update(Collection());
  caption_ = button->caption_;
  visibleCaption_ = button->visibleCaption_;
  contentAlignment_ = button->contentAlignment_;
  default_ = button->default_;
  enabled_ = button->enabled_;
  SetGlyph(button->glyph_.get());
  kind_ = button->kind_;
  leftAlignment_ = button->leftAlignment_;
  stretchable_ = button->stretchable_;
  tag_ = button->tag_;
  textColor_ = button->textColor_;
  visible_ = button->visible_;
  width_ = button->width_;
  hint_ = button->hint_;
  Changed(false);
}

// ---------------------------------------------------------------------------------------------
// TcxEditButtons

TcxEditButtons::TcxEditButtons(TPersistent* owner, TCollectionItemClass itemClass)
    : TCollection(itemClass), owner_(owner) {}

int TcxEditButtons::VisibleCount() const {
  int count = 0;
  for (int i = 0; i < Count(); ++i) count += Items(i)->Visible() ? 1 : 0;
  return count;
}

void TcxEditButtons::Update(TCollectionItem*) {
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// TcxEditButtonViewInfo

void TcxEditButtonViewInfo::Assign(TPersistent* source) {
  auto* from = ObjectAs<TcxEditButtonViewInfo>(source);
  if (!from) return TPersistent::Assign(source);
  Data.NativeState = from->Data.NativeState;
  Data.BackgroundColor = from->Data.BackgroundColor;
  Bounds = from->Bounds;
  Data.Style = from->Data.Style;
  Data.State = from->Data.State;
}

bool TcxEditButtonViewInfo::DiffersFrom(const TcxEditButtonViewInfo& old) const {
  return Data.Style != old.Data.Style || Data.State != old.Data.State ||
         Data.BackgroundColor != old.Data.BackgroundColor || Data.NativeState != old.Data.NativeState;
}

TcxRegion* TcxEditButtonViewInfo::ChangedRegion(const TcxEditButtonViewInfo& old) const {
  return DiffersFrom(old) ? new TcxRegion(Bounds) : new TcxRegion();
}

bool TcxEditButtonViewInfo::InvalidateIfChanged(TWinControl* control, const TcxEditButtonViewInfo& old,
                                                const TPoint& editorPosition) const {
  if (!DiffersFrom(old)) return false;
  TRect r = Bounds;
  r.Offset(editorPosition.X, editorPosition.Y);
  InvalidateControlRect(control, r, Data.HasBackground);
  return true;
}
