// Screen tips: the rich tooltips of bar items (a bold header, a description with an optional picture
// and an optional footer), kept in a repository component that also holds the three band fonts and
// a standard footer shared by its tips. An item points at one tip; the hint window measures and
// paints it (dxBarHintWindow).
//
// The repository's fonts follow the screen's hint font (grey 76, 76, 76; header and footer bold)
// until one is changed: only a changed font is stored with the form.
#pragma once
#include <functional>
#include <string>

#include "Classes.h"
#include "Graphics.h"
#include "cxClasses.h"

enum TdxBarScreenTipBandTextAlign : Byte { stbtaLeft, stbtaRight };
enum TdxScreenTipRepositoryFont : Byte { stbHeader, stbDescription, stbFooter };
using TdxScreenTipRepositoryFonts = TSet<TdxScreenTipRepositoryFont>;

constexpr TColor dxScreenTipFontColor = 0x4C4C4C;

class TdxBarScreenTip;
class TdxBarScreenTipRepository;

class TdxBarCustomScreenTipBand : public TPersistent {
  CALDERAN_CLASS(TdxBarCustomScreenTipBand)
  explicit TdxBarCustomScreenTipBand(TdxScreenTipRepositoryFont bandType);
  ~TdxBarCustomScreenTipBand() override;
  void Assign(TPersistent* source) override;

  TBitmap* Glyph() const { return glyph_; }
  void SetGlyph(TBitmap* value);
  const std::string& Text() const { return text_; }
  void SetText(const std::string& value);
  TdxBarScreenTipBandTextAlign TextAlign() const { return textAlign_; }
  void SetTextAlign(TdxBarScreenTipBandTextAlign value);
  TdxScreenTipRepositoryFont BandType() const { return bandType_; }
  // The font the band's text is drawn with.
  virtual TFont* GetBandFont() const = 0;

  TNotifyEvent OnChange;

 protected:
  virtual void BandChanged();

 private:
  TdxScreenTipRepositoryFont bandType_;
  TBitmap* glyph_;
  std::string text_;
  TdxBarScreenTipBandTextAlign textAlign_ = stbtaRight;
};

class TdxBarScreenTipBand : public TdxBarCustomScreenTipBand {
  CALDERAN_CLASS(TdxBarScreenTipBand)
  TdxBarScreenTipBand(TdxBarScreenTip* screenTip, TdxScreenTipRepositoryFont bandType)
      : TdxBarCustomScreenTipBand(bandType), screenTip_(screenTip) {}
  // The repository's font of the band's type (the screen's hint font while the tip has none).
  TFont* GetBandFont() const override;
  TdxBarScreenTip* ScreenTip() const { return screenTip_; }

 private:
  TdxBarScreenTip* screenTip_;
};

class TdxBarScreenTipFooterBand : public TdxBarCustomScreenTipBand {
  CALDERAN_CLASS(TdxBarScreenTipFooterBand)
  explicit TdxBarScreenTipFooterBand(TdxBarScreenTipRepository* repository)
      : TdxBarCustomScreenTipBand(stbFooter), repository_(repository) {}
  TFont* GetBandFont() const override;

 private:
  TdxBarScreenTipRepository* repository_;
};

class TdxBarScreenTip : public TcxComponentCollectionItem {
  CALDERAN_CLASS(TdxBarScreenTip)
  explicit TdxBarScreenTip(TComponent* owner);
  ~TdxBarScreenTip() override;
  void Assign(TPersistent* source) override;
  void SetName(const std::string& name) override;
  // "Name - 'header'".
  std::string GetDisplayName() const override;

  TdxBarScreenTipBand* Header() const { return bands_[stbHeader]; }
  void SetHeader(TdxBarScreenTipBand* value) { bands_[stbHeader]->Assign(value); }
  TdxBarScreenTipBand* Description() const { return bands_[stbDescription]; }
  void SetDescription(TdxBarScreenTipBand* value) { bands_[stbDescription]->Assign(value); }
  TdxBarScreenTipBand* Footer() const { return bands_[stbFooter]; }
  void SetFooter(TdxBarScreenTipBand* value) { bands_[stbFooter]->Assign(value); }
  bool UseHintAsHeader() const { return useHintAsHeader_; }
  void SetUseHintAsHeader(bool value) { useHintAsHeader_ = value; }
  bool UseStandardFooter() const { return useStandardFooter_; }
  void SetUseStandardFooter(bool value) { useStandardFooter_ = value; }
  int Width() const { return width_; }
  void SetWidth(int value) { width_ = value; }

  TdxBarScreenTipRepository* Repository() const;
  // Width, or without one 318 pixels with a description glyph and 210 without, at 96 pixels per
  // inch and scaled to the given resolution.
  int GetEffectiveWidth(int pixelsPerInch) const;
  // The band shown at a position: the repository's standard footer in place of the tip's own
  // footer when UseStandardFooter is set.
  TdxBarCustomScreenTipBand* GetBand(TdxScreenTipRepositoryFont position) const;

 protected:
  TcxComponentCollection* GetCollectionFromParent(TComponent* parent) override;

 private:
  TdxBarScreenTipBand* bands_[3];
  bool useHintAsHeader_ = false;
  bool useStandardFooter_ = false;
  int width_ = 0;
};

class TdxBarScreenTipCollection : public TcxComponentCollection {
  CALDERAN_CLASS(TdxBarScreenTipCollection)
  explicit TdxBarScreenTipCollection(TdxBarScreenTipRepository* repository);
  TdxBarScreenTipRepository* Repository() const { return repository_; }
  TdxBarScreenTip* Tip(int index) const { return static_cast<TdxBarScreenTip*>(Items(index)); }
  TdxBarScreenTip* AddTip() { return static_cast<TdxBarScreenTip*>(Add()); }

 protected:
  // A new tip gets a unique name made from its class name.
  void InitItem(TcxComponentCollectionItem* item) override;

 private:
  TdxBarScreenTipRepository* repository_;
};

class TdxBarScreenTipRepository : public TComponent {
  CALDERAN_CLASS(TdxBarScreenTipRepository)
  explicit TdxBarScreenTipRepository(TComponent* owner);
  ~TdxBarScreenTipRepository() override;
  void Assign(TPersistent* source) override;

  TdxScreenTipRepositoryFonts AssignedFonts() const { return assignedFonts_; }
  void SetAssignedFonts(TdxScreenTipRepositoryFonts value) { assignedFonts_ = value; }
  TdxBarScreenTipCollection* Items() const { return items_; }
  void SetItems(TdxBarScreenTipCollection* value) { items_->Assign(value); }
  // The stored font while it was changed; otherwise a scratch font set afresh from the hint font.
  TFont* GetFont(TdxScreenTipRepositoryFont bandType) const;
  // Assigns into the stored font, which marks it changed.
  void SetFont(TdxScreenTipRepositoryFont bandType, TFont* value) { fonts_[bandType]->Assign(value); }
  TFont* HeaderFont() const { return GetFont(stbHeader); }
  void SetHeaderFont(TFont* value) { SetFont(stbHeader, value); }
  TFont* DescriptionFont() const { return GetFont(stbDescription); }
  void SetDescriptionFont(TFont* value) { SetFont(stbDescription, value); }
  TFont* FooterFont() const { return GetFont(stbFooter); }
  void SetFooterFont(TFont* value) { SetFont(stbFooter, value); }
  bool IsHeaderFontStored() const { return assignedFonts_.Contains(stbHeader); }
  bool IsDescriptionFontStored() const { return assignedFonts_.Contains(stbDescription); }
  bool IsFooterFontStored() const { return assignedFonts_.Contains(stbFooter); }
  TdxBarScreenTipFooterBand* StandardFooter() const { return standardFooter_; }
  void SetStandardFooter(TdxBarScreenTipFooterBand* value) { standardFooter_->Assign(value); }
  // Off: every tip of the repository shows as a one-line hint.
  bool ShowDescription() const { return showDescription_; }
  void SetShowDescription(bool value) { showDescription_ = value; }

  // What a stored form writes under the repository for root: its tips owned by root.
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const;

 private:
  void FontChanged(TObject* sender);
  static void SetDefaultFont(TFont* font, TdxScreenTipRepositoryFont bandType);

  TdxScreenTipRepositoryFonts assignedFonts_;
  TFont* fonts_[3];
  TFont* scratchFont_;
  TdxBarScreenTipCollection* items_;
  bool showDescription_ = true;
  TdxBarScreenTipFooterBand* standardFooter_;
};

void RegisterScreenTipProperties();
