#include "dxSkinInfo.h"

#include "SysUtils.h"

CALDERAN_IMPLEMENT_CLASS(TdxSkinScrollInfo, TObject)
CALDERAN_IMPLEMENT_CLASS(TdxSkinInfo, TcxIUnknownObject)
CALDERAN_IMPLEMENT_CLASS(TdxSkinLookAndFeelPainterInfo, TdxSkinInfo)

namespace {

struct TGroupEntry {
  const char* Name;
};
struct TElementEntry {
  TdxSkinGroupId Group;
  const char* Name;
  bool Create;
};
struct TPropertyEntry {
  TdxSkinPropertyKind Kind;
  int Owner;  // an element id or a group id, as OwnerIsElement tells
  bool OwnerIsElement;
  const char* Name;
};

constexpr TGroupEntry Groups[] = {
#define DX_ENTRY(id, name) {name},
    DX_SKIN_INFO_GROUPS(DX_ENTRY)
#undef DX_ENTRY
};
constexpr TElementEntry Elements[] = {
#define DX_ENTRY(id, group, name, create) {group, name, create != 0},
    DX_SKIN_INFO_ELEMENTS(DX_ENTRY)
#undef DX_ENTRY
};
constexpr bool IsElementId(TdxSkinElementId) { return true; }
constexpr bool IsElementId(TdxSkinGroupId) { return false; }
constexpr TPropertyEntry Properties[] = {
#define DX_ENTRY(id, kind, owner, name) {kind, owner, IsElementId(owner), name},
    DX_SKIN_INFO_PROPERTIES(DX_ENTRY)
#undef DX_ENTRY
};
constexpr const char* Colors[] = {
#define DX_ENTRY(id, name) name,
    DX_SKIN_INFO_COLORS(DX_ENTRY)
#undef DX_ENTRY
};
static_assert(seCount == 204);

// Every name is an entry of the program's string table, one block of identifiers for all of them.
constexpr uint32_t NamesBase = 0xC500;
std::string BoundName(int index, const char* text) { return LoadToolkitString({NamesBase + uint32_t(index), text}); }
std::string GroupName(int id) { return BoundName(id, Groups[id].Name); }
std::string ElementName(int id) { return BoundName(sgCount + id, Elements[id].Name); }
std::string PropertyName(int id) { return BoundName(sgCount + seCount + id, Properties[id].Name); }
std::string ColorName(int id) { return BoundName(sgCount + seCount + spCount + id, Colors[id]); }

TClass PropertyClassOf(TdxSkinPropertyKind kind) {
  switch (kind) {
    case spkColor: return TdxSkinColor::StaticClass();
    case spkInteger: return TdxSkinIntegerProperty::StaticClass();
    default: return TdxSkinBooleanProperty::StaticClass();
  }
}

// The 32 x 32 picture of a missing element: a red cross.
std::unique_ptr<TdxPNGImage> MakePlaceholderPicture() {
  TBitmap bitmap(32, 32, TPixelFormat::pf24bit);
  TCanvas* canvas = bitmap.Canvas();
  canvas->Pen()->SetColor(0x0000FF);
  canvas->Pen()->SetWidth(2);
  canvas->MoveTo(0, 0);
  canvas->LineTo(32, 32);
  canvas->MoveTo(0, 32);
  canvas->LineTo(32, 0);
  auto picture = std::make_unique<TdxPNGImage>();
  picture->TakeBitmap(&bitmap);
  return picture;
}

constexpr TdxSkinElementId CaptionButtonIds[6] = {seCount, seFormButtonHelp, seFormButtonMinimize,
                                                  seFormButtonMaximize, seFormButtonRestore, seFormButtonClose};
constexpr TdxSkinElementId FrameIds[2][4] = {{seFormFrameLeft, seSmallFormCaption, seFormFrameRight, seFormFrameBottom},
                                             {seFormFrameLeft, seFormCaption, seFormFrameRight, seFormFrameBottom}};
constexpr TdxSkinElementId EditorButtonIds[8] = {seCloseButton, seComboButtonGlyph, seEditorButton, seEditorButton,
                                                 seSpinUpGlyph, seSpinDownGlyph, seSpinLeftGlyph, seSpinRightGlyph};

}  // namespace

TdxSkinInfo::TdxSkinInfo(TdxSkin* skin) { SetSkin(skin); }

TdxSkinInfo::~TdxSkinInfo() {
  TdxSkin* skin = skin_;
  SetSkin(nullptr);
  delete skin;
}

void TdxSkinInfo::SetSkin(TdxSkin* skin) {
  if (skin == skin_) return;
  if (skin_) {
    FinalizeInfo();
    skin_->RemoveListener(this);
  }
  skin_ = skin;
  if (skin_) skin_->AddListener(this);
  InitializeInfo();
}

void TdxSkinInfo::SkinChanged() {
  FinalizeInfo();
  InitializeInfo();
}

void TdxSkinInfo::FinalizeInfo() {
  for (auto& row : ScrollBarInfos)
    for (auto& info : row) info.reset();
}

// Completing the skin is part of binding, not a change of the skin to report: the skin stays
// locked meanwhile and its listeners, this one among them, hear nothing of it.
void TdxSkinInfo::InitializeInfo() {
  std::fill(std::begin(groups_), std::end(groups_), nullptr);
  std::fill(std::begin(elements_), std::end(elements_), nullptr);
  std::fill(std::begin(properties_), std::end(properties_), nullptr);
  std::fill(std::begin(colors_), std::end(colors_), nullptr);
  if (!skin_) return BindForm();
  skin_->BeginUpdate();
  try {
    BindAll();
  } catch (...) {
    skin_->CancelUpdate();
    throw;
  }
  skin_->CancelUpdate();
}

void TdxSkinInfo::BindAll() {
  for (int id = 0; id < sgCount; ++id) groups_[id] = BindGroup(GroupName(id));
  for (int id = 0; id < seCount; ++id)
    elements_[id] = BindElement(groups_[Elements[id].Group], ElementName(id), Elements[id].Create);
  BindProperties();
  BindForm();
  for (int kind = 0; kind < 8; ++kind) EditorButtonElements[kind] = elements_[EditorButtonIds[kind]];
  AdjustColors();
  BindScrollBars();
  for (int id = 0; id < scCount; ++id) colors_[id] = skin_->GetColorByName(ColorName(id));
  placeholder_.reset();
}

TdxSkinControlGroup* TdxSkinInfo::BindGroup(const std::string& name) {
  if (!skin_) return nullptr;
  TdxSkinControlGroup* group = skin_->GetGroupByName(name);
  return group ? group : skin_->AddGroup(name);
}

TdxSkinElement* TdxSkinInfo::BindElement(TdxSkinControlGroup* group, const std::string& name, bool create) {
  if (!group) return nullptr;
  TdxSkinElement* element = group->GetElementByName(name);
  if (!element && create) element = AddMissingElement(group, name);
  return element;
}

TdxSkinElement* TdxSkinInfo::AddMissingElement(TdxSkinControlGroup* group, const std::string& name) {
  if (!placeholder_) placeholder_ = MakePlaceholderPicture();
  TdxSkinElement* element = group->AddElement(name);
  element->Image()->SetStates({esNormal});
  element->Image()->SetStretch(smStretch);
  element->Image()->Texture()->Assign(placeholder_.get());
  return element;
}

void TdxSkinInfo::BindProperties() {
  for (int id = 0; id < spCount; ++id) {
    const TPropertyEntry& entry = Properties[id];
    TdxSkinPersistent* owner = entry.OwnerIsElement ? static_cast<TdxSkinPersistent*>(elements_[entry.Owner])
                                                    : groups_[entry.Owner];
    TdxSkinProperty* property = owner ? owner->GetPropertyByName(PropertyName(id)) : nullptr;
    if (property && !property->InheritsFrom(PropertyClassOf(entry.Kind))) throw EInvalidCast("Invalid class typecast");
    properties_[id] = property;
  }
}

// Caption buttons show the inactive-disabled look for an inactive window; frames have no normal
// state of their own, and their outer margin is one pixel.
void TdxSkinInfo::BindForm() {
  for (auto& row : FormCaptionButtons) std::fill(std::begin(row), std::end(row), nullptr);
  FormCaptionButtons[0][5] = elements_[seSmallFormButtonClose];
  for (int kind = 1; kind < 6; ++kind) FormCaptionButtons[1][kind] = elements_[CaptionButtonIds[kind]];
  for (int row = 0; row < 2; ++row)
    for (int side = 0; side < 4; ++side) FormFrames[row][side] = elements_[FrameIds[row][side]];
  for (auto& row : FormCaptionButtons)
    for (TdxSkinElement* button : row)
      if (button) {
        button->Image()->SetStates((button->Image()->States() + TdxSkinElementStates{esActiveDisabled}) -
                                   TdxSkinElementStates{esActive});
        button->Image()->SetStretch(smStretch);
      }
  const TRect frameMargins[4] = {TRect(1, -1, 0, -1), {}, TRect(0, -1, 1, -1), TRect(-1, 0, -1, 1)};
  for (int row = 0; row < 2; ++row)
    for (int side = 0; side < 4; ++side)
      if (TdxSkinElement* frame = FormFrames[row][side]) {
        TdxSkinImage* image = frame->Image();
        image->SetStates((image->States() + TdxSkinElementStates{esActive, esActiveDisabled}) -
                         TdxSkinElementStates{esNormal});
        if (side == 1) continue;
        const TRect& m = frameMargins[side];  // -1 keeps the margin
        TRect margins = image->Margins()->GetRect();
        image->Margins()->SetRect(TRect(m.Left < 0 ? margins.Left : m.Left, m.Top < 0 ? margins.Top : m.Top,
                                        m.Right < 0 ? margins.Right : m.Right, m.Bottom < 0 ? margins.Bottom : m.Bottom));
      }
  for (int row = 0; row < 2; ++row) {
    auto width = [](TdxSkinElement* e) { return e ? e->Image()->Size().cx : 0; };
    auto height = [](TdxSkinElement* e) { return e ? e->Image()->Size().cy : 0; };
    FormFrameWidths[row] = TRect(width(FormFrames[row][0]), 0, width(FormFrames[row][2]), height(FormFrames[row][3]));
  }
  CaptionFontDelta = std::max(1, IntegerValue(spFormCaptionFontDelta));
}

void TdxSkinInfo::AdjustColors() {
  TdxSkinElement* groupPanel = elements_[seGridGroupPanel];
  if (groupPanel && !groupPanel->Image()->Empty()) groupPanel->SetColor(clNone);
  if (TdxSkinElement* content = elements_[seFormContent])
    for (TdxSkinElementId id : {seTabButtonHorz, seTabButtonVert, seScrollButton})
      if (elements_[id]) elements_[id]->SetColor(content->Color());
}

void TdxSkinInfo::BindScrollBars() {
  for (int horizontal = 0; horizontal < 2; ++horizontal) {
    ScrollBarInfos[horizontal][1] = std::make_unique<TdxSkinScrollInfo>(elements_[seScrollButton], horizontal * 2);
    ScrollBarInfos[horizontal][2] = std::make_unique<TdxSkinScrollInfo>(elements_[seScrollButton], horizontal * 2 + 1);
    TdxSkinElement* thumb = elements_[horizontal ? seScrollThumbHorz : seScrollThumbVert];
    TdxSkinElement* content = elements_[horizontal ? seScrollContentHorz : seScrollContentVert];
    ScrollBarInfos[horizontal][3] = std::make_unique<TdxSkinScrollInfo>(thumb, 0);
    ScrollBarInfos[horizontal][4] = std::make_unique<TdxSkinScrollInfo>(content, 0);
    ScrollBarInfos[horizontal][5] = std::make_unique<TdxSkinScrollInfo>(content, 0);
  }
}

TdxSkinColor* TdxSkinInfo::ColorProperty(TdxSkinPropertyId id) const {
  return static_cast<TdxSkinColor*>(properties_[id]);
}

TColor TdxSkinInfo::ColorValue(TdxSkinPropertyId id) const {
  return properties_[id] ? static_cast<TdxSkinColor*>(properties_[id])->Value() : clDefault;
}

int TdxSkinInfo::IntegerValue(TdxSkinPropertyId id, int defaultValue) const {
  return properties_[id] ? static_cast<TdxSkinIntegerProperty*>(properties_[id])->Value() : defaultValue;
}

TColor TdxSkinInfo::ElementTextColor(TdxSkinElementId id) const {
  return elements_[id] ? elements_[id]->TextColor() : clDefault;
}
