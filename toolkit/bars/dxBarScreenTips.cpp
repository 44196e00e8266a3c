#include "dxBarScreenTips.h"

#include <cmath>
#include <iterator>

#include "Forms.h"
#include "TypInfo.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarCustomScreenTipBand, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TdxBarScreenTipBand, TdxBarCustomScreenTipBand)
CALDERAN_IMPLEMENT_CLASS(TdxBarScreenTipFooterBand, TdxBarCustomScreenTipBand)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarScreenTip, TcxComponentCollectionItem, TComponent*)
CALDERAN_IMPLEMENT_CLASS(TdxBarScreenTipCollection, TcxComponentCollection)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarScreenTipRepository, TComponent, TComponent*)

// ---------------------------------------------------------------------------------------------
TdxBarCustomScreenTipBand::TdxBarCustomScreenTipBand(TdxScreenTipRepositoryFont bandType)
    : bandType_(bandType), glyph_(new TBitmap) {
  glyph_->SetTransparent(true);
}

TdxBarCustomScreenTipBand::~TdxBarCustomScreenTipBand() { delete glyph_; }

void TdxBarCustomScreenTipBand::Assign(TPersistent* source) {
  auto* band = ObjectAs<TdxBarCustomScreenTipBand>(source);
  if (!band) return TPersistent::Assign(source);
  SetText(band->Text());
  SetTextAlign(band->TextAlign());
  SetGlyph(band->Glyph());
}

void TdxBarCustomScreenTipBand::SetGlyph(TBitmap* value) {
  glyph_->Assign(value);
  BandChanged();
}

void TdxBarCustomScreenTipBand::SetText(const std::string& value) {
  if (value == text_) return;
  text_ = value;
  BandChanged();
}

void TdxBarCustomScreenTipBand::SetTextAlign(TdxBarScreenTipBandTextAlign value) {
  if (value == textAlign_) return;
  textAlign_ = value;
  BandChanged();
}

void TdxBarCustomScreenTipBand::BandChanged() {
  if (OnChange) OnChange(this);
}

TFont* TdxBarScreenTipBand::GetBandFont() const {
  if (TdxBarScreenTipRepository* repository = screenTip_->Repository()) return repository->GetFont(BandType());
  return Screen ? Screen->HintFont() : nullptr;
}

TFont* TdxBarScreenTipFooterBand::GetBandFont() const { return repository_->GetFont(stbFooter); }

// ---------------------------------------------------------------------------------------------
TdxBarScreenTip::TdxBarScreenTip(TComponent* owner) : TcxComponentCollectionItem(owner) {
  for (Byte i = stbHeader; i <= stbFooter; ++i)
    bands_[i] = new TdxBarScreenTipBand(this, static_cast<TdxScreenTipRepositoryFont>(i));
}

TdxBarScreenTip::~TdxBarScreenTip() {
  Destroying();
  for (TdxBarScreenTipBand* band : bands_) delete band;
}

void TdxBarScreenTip::Assign(TPersistent* source) {
  auto* tip = ObjectAs<TdxBarScreenTip>(source);
  if (!tip) return TcxComponentCollectionItem::Assign(source);
  for (int i = 0; i < 3; ++i) bands_[i]->Assign(tip->bands_[i]);
  useHintAsHeader_ = tip->useHintAsHeader_;
  useStandardFooter_ = tip->useStandardFooter_;
  width_ = tip->width_;
}

// A header still showing the tip's name follows a new name; an edited header stays.
void TdxBarScreenTip::SetName(const std::string& name) {
  const std::string oldName = Name();
  const bool follows = !ComponentState().Contains(csLoading) && Header()->Text() == oldName &&
                       !(Owner() && Owner()->ComponentState().Contains(csLoading));
  TcxComponentCollectionItem::SetName(name);
  if (follows) Header()->SetText(name);
}

std::string TdxBarScreenTip::GetDisplayName() const { return Name() + " - '" + Header()->Text() + "'"; }

TdxBarScreenTipRepository* TdxBarScreenTip::Repository() const {
  auto* collection = ObjectAs<TdxBarScreenTipCollection>(Collection());
  return collection ? collection->Repository() : nullptr;
}

int TdxBarScreenTip::GetEffectiveWidth(int pixelsPerInch) const {
  if (width_ != 0) return width_;
  const int width = Description()->Glyph()->Empty() ? 210 : 318;
  return static_cast<int>(std::lround(width * pixelsPerInch / 96.0));
}

TdxBarCustomScreenTipBand* TdxBarScreenTip::GetBand(TdxScreenTipRepositoryFont position) const {
  if (position == stbFooter && useStandardFooter_ && Repository()) return Repository()->StandardFooter();
  return bands_[position];
}

TcxComponentCollection* TdxBarScreenTip::GetCollectionFromParent(TComponent* parent) {
  auto* repository = ObjectAs<TdxBarScreenTipRepository>(parent);
  return repository ? repository->Items() : nullptr;
}

// ---------------------------------------------------------------------------------------------
TdxBarScreenTipCollection::TdxBarScreenTipCollection(TdxBarScreenTipRepository* repository)
    : TcxComponentCollection(repository, TdxBarScreenTip::StaticClass()), repository_(repository) {}

void TdxBarScreenTipCollection::InitItem(TcxComponentCollectionItem* item) {
  TComponent* owner = item->Owner();
  item->SetName(MakeUniqueComponentName(owner, nullptr, item, "TdxBar", ""));
}

// ---------------------------------------------------------------------------------------------
TdxBarScreenTipRepository::TdxBarScreenTipRepository(TComponent* owner) : TComponent(owner) {
  for (Byte i = stbHeader; i <= stbFooter; ++i) {
    fonts_[i] = new TFont;
    SetDefaultFont(fonts_[i], static_cast<TdxScreenTipRepositoryFont>(i));
    fonts_[i]->OnChange = MakeEvent(this, &TdxBarScreenTipRepository::FontChanged);
  }
  scratchFont_ = new TFont;
  items_ = new TdxBarScreenTipCollection(this);
  standardFooter_ = new TdxBarScreenTipFooterBand(this);
}

TdxBarScreenTipRepository::~TdxBarScreenTipRepository() {
  Destroying();
  delete standardFooter_;
  delete items_;
  delete scratchFont_;
  for (TFont* font : fonts_) delete font;
}

void TdxBarScreenTipRepository::SetDefaultFont(TFont* font, TdxScreenTipRepositoryFont bandType) {
  if (Screen) font->Assign(Screen->HintFont());
  font->SetColor(dxScreenTipFontColor);
  if (bandType != stbDescription) font->SetStyle(font->Style() + TFontStyles{TFontStyle::fsBold});
}

void TdxBarScreenTipRepository::FontChanged(TObject* sender) {
  if (ComponentState().Contains(csLoading)) return;
  for (Byte i = stbHeader; i <= stbFooter; ++i) {
    if (fonts_[i] == sender) assignedFonts_.Include(static_cast<TdxScreenTipRepositoryFont>(i));
  }
}

TFont* TdxBarScreenTipRepository::GetFont(TdxScreenTipRepositoryFont bandType) const {
  if (assignedFonts_.Contains(bandType)) return fonts_[bandType];
  SetDefaultFont(scratchFont_, bandType);
  return scratchFont_;
}

void TdxBarScreenTipRepository::Assign(TPersistent* source) {
  auto* repository = ObjectAs<TdxBarScreenTipRepository>(source);
  if (!repository) return TComponent::Assign(source);
  items_->Assign(repository->items_);
  standardFooter_->Assign(repository->standardFooter_);
  SetDescriptionFont(repository->DescriptionFont());
  SetFooterFont(repository->FooterFont());
  SetHeaderFont(repository->HeaderFont());
  assignedFonts_ = repository->assignedFonts_;
  showDescription_ = repository->showDescription_;
}

void TdxBarScreenTipRepository::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const {
  for (int i = 0; i < items_->Count(); ++i) {
    if (items_->Items(i)->Owner() == root) proc(items_->Items(i));
  }
}

// ---------------------------------------------------------------------------------------------
namespace {
constexpr const char* textAlignNames[] = {"stbtaLeft", "stbtaRight"};
constinit const TEnumInfo TextAlignInfo{textAlignNames, 2};
constexpr const char* repositoryFontNames[] = {"stbHeader", "stbDescription", "stbFooter"};
constinit const TEnumInfo RepositoryFontInfo{repositoryFontNames, 3};

using B = TdxBarCustomScreenTipBand;
constinit const TPropInfo bandProps[] = {
    Published<&B::Glyph, &B::SetGlyph>("Glyph"),
    Published<&B::Text, &B::SetText>("Text"),
    Published<&B::TextAlign, &B::SetTextAlign>("TextAlign", &TextAlignInfo).WithDefault(stbtaRight),
};

using S = TdxBarScreenTip;
constinit const TPropInfo tipProps[] = {
    Published<&S::Header, &S::SetHeader>("Header"),
    Published<&S::Description, &S::SetDescription>("Description"),
    Published<&S::Footer, &S::SetFooter>("Footer"),
    Published<&S::UseHintAsHeader, &S::SetUseHintAsHeader>("UseHintAsHeader").WithDefault(false),
    Published<&S::UseStandardFooter, &S::SetUseStandardFooter>("UseStandardFooter").WithDefault(false),
    Published<&S::Width, &S::SetWidth>("Width").WithDefault(0),
};

using R = TdxBarScreenTipRepository;
constinit const TPropInfo repositoryProps[] = {
    Published<&R::AssignedFonts, &R::SetAssignedFonts>("AssignedFonts", &RepositoryFontInfo)
        .WithDefault(TdxScreenTipRepositoryFonts{}),
    Published<&R::DescriptionFont, &R::SetDescriptionFont>("DescriptionFont")
        .StoredWhen<&R::IsDescriptionFontStored>(),
    Published<&R::FooterFont, &R::SetFooterFont>("FooterFont").StoredWhen<&R::IsFooterFontStored>(),
    Published<&R::HeaderFont, &R::SetHeaderFont>("HeaderFont").StoredWhen<&R::IsHeaderFontStored>(),
    Published<&R::StandardFooter, &R::SetStandardFooter>("StandardFooter"),
    Published<&R::ShowDescription, &R::SetShowDescription>("ShowDescription").WithDefault(true),
};
}  // namespace

void RegisterScreenTipProperties() {
  RegisterPublishedProperties(TdxBarCustomScreenTipBand::StaticClass(), bandProps);
  RegisterPublishedProperties(TdxBarScreenTip::StaticClass(), tipProps);
  RegisterPublishedProperties(TdxBarScreenTipRepository::StaticClass(), repositoryProps);
  RegisterClass(TdxBarScreenTip::StaticClass());
  RegisterClass(TdxBarScreenTipRepository::StaticClass());
}
