// The style slots of a bar item (slot 0 is every item's Style, slot 1 an edit item's StyleEdit). The
// data listens to the styles it refers to and tells the item what kind of visual change happened:
// a font change (the item's controls are made again and the bars rebuilt) or a colour change (the
// controls only repaint). Several changes under one lock give one notice, a font change winning.
#pragma once
#include <string>
#include <vector>

#include "Graphics.h"
#include "cxClasses.h"
#include "cxGraphics.h"
#include "cxStyles.h"

// The kinds of change the data reports.
constexpr int dxBarStyleColorsChanged = 0, dxBarStyleFontChanged = 1, dxBarStyleNoChange = 2;

using TdxBarItemStyleChangeEvent = TEvent<void(int Kind)>;

class TdxBarItemStylesData : public TcxInterfacedPersistent, public IcxStyleObserver {
  CALDERAN_CLASS(TdxBarItemStylesData)
  explicit TdxBarItemStylesData(int count);
  ~TdxBarItemStylesData() override;

  int Count() const { return static_cast<int>(slots_.size()); }
  TcxStyle* GetStyle(int index) const { return slots_.at(index).Style; }
  void SetStyle(int index, TcxStyle* style);
  TcxViewParams GetViewParams(int index) const;
  TdxBarItemStyleChangeEvent OnChange;

  void BeginChange();
  void EndChange();

  // IcxStyleObserver
  void NotifyStyleChanged(TcxCustomStyle* style) override;
  void NotifyStyleDestroying(TcxCustomStyle* style) override;

 private:
  struct TFontRecord {
    int Height = 0;
    uint8_t Pitch = 0, Style = 0, Charset = 0;
    std::string Name;  // at most 31 characters
  };
  struct TSlot {
    uint8_t Assigned = 0;  // 0x1 bitmap, 0x2 colour, 0x4 font, 0x8 text colour
    TColor Color = clDefault;
    TFontRecord Font;
    TColor TextColor = clDefault;
    TcxStyle* Style = nullptr;
  };
  int ReferenceCount(const TcxStyle* style) const;
  void RefreshSlot(TSlot& slot);
  void Notify(int kind);

  std::vector<TSlot> slots_;
  bool destroying_ = false;
  int lockCount_ = 0;
  int pendingKind_ = dxBarStyleNoChange;
};
