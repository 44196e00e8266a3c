// The multi-line text editor: a text editor whose inner control is a multi-line platform EDIT. It
// keeps Enter and Tab when told to, wraps long lines, and lays the toolkit's own scroll bars over the
// EDIT window's system bars.
// Leaves out: the memo's filter helper derives from the base helper, not from the text editor's.
#pragma once
#include <memory>
#include <string>

#include "cxTextEdit.h"

class TcxCustomMemo;

// The memo's settings on top of those of every text editor.
class TcxCustomMemoPropertiesClass : public TcxCustomTextEditPropertiesClass {
 public:
  using TcxCustomTextEditPropertiesClass::TcxCustomTextEditPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
  const TcxCustomEditViewDataClass* ViewDataClass(TcxCustomEditStyle* style, bool inPlace) const override;
  const TcxCustomEditViewInfoClass* ViewInfoClass() const override;
  const TcxCustomEditClass* EditClass() const override;
};

class TcxCustomMemoProperties : public TcxCustomTextEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomMemoProperties, TcxCustomMemoPropertiesClass)
  explicit TcxCustomMemoProperties(TPersistent* owner) : TcxCustomMemoProperties(owner, StaticClassOperations()) {}

  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value) { SetNotifying(scrollBars_, value); }
  // Above 0 the memo's height follows this many lines of its font.
  int VisibleLineCount() const { return visibleLineCount_; }
  void SetVisibleLineCount(int value);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool value) { SetNotifying(wantReturns_, value); }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool value) { SetNotifying(wantTabs_, value); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value) { SetNotifying(wordWrap_, value); }
  // The horizontal part of the alignment, as a stored form keeps it.
  TAlignment HorzAlignment() { return Alignment()->Horz(); }
  void SetHorzAlignment(TAlignment value) { Alignment()->SetHorz(value); }
  bool IsHorzAlignmentStored() const { return StoredAlignment()->IsHorzStored(); }

  void Assign(TPersistent* source) override;
  bool WantsTabs() const override { return wantTabs_; }
  bool HasEditValueKind(int kind) const override;
  // The first line only, at most 250 characters: a one-line preview for filters and hosts.
  std::u16string FormatDisplayValue(const TVariant& editValue) override;

 protected:
  TcxCustomMemoProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls);

 private:
  TScrollStyle scrollBars_ = ssNone;
  int visibleLineCount_ = 0;
  bool wantReturns_ = true, wantTabs_ = false, wordWrap_ = true;
};

class TcxMemoProperties : public TcxCustomMemoProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxMemoProperties, TcxCustomMemoPropertiesClass)
  explicit TcxMemoProperties(TPersistent* owner) : TcxMemoProperties(owner, StaticClassOperations()) {}

 protected:
  TcxMemoProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls) : TcxCustomMemoProperties(owner, cls) {}
};

// The memo's layout: no room kept for scroll bars (they lie over the inner window), a horizontal
// bar's height added to the frame, and an automatic height of so many lines.
class TcxCustomMemoViewDataClass : public TcxCustomTextEditViewDataClass {
 public:
  using TcxCustomTextEditViewDataClass::TcxCustomTextEditViewDataClass;
  TcxCustomEditViewData* Create(TcxCustomEditProperties* properties, TcxCustomEditStyle* style,
                                bool inPlace) const override;
};

class TcxCustomMemoViewData : public TcxCustomTextEditViewData {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomMemoViewData, TcxCustomMemoViewDataClass)
  using TcxCustomTextEditViewData::TcxCustomTextEditViewData;
  TcxCustomMemoProperties* MemoProperties() const { return static_cast<TcxCustomMemoProperties*>(Properties); }

  void CalcConstantPartSize(TcxCanvas* canvas, bool editing, TcxCustomEditViewInfo* viewInfo, TSize& nonContentSize,
                            TSize& minContentSize, const TcxEditSizeProperties& request) override;
  TSize MeasureContent(TcxCanvas* canvas, const TVariant& value, const TcxEditSizeProperties& request) override;
  // Rows end at the last whole one; long lines wrap unless a horizontal bar scrolls them.
  uint32_t TextOutFlags() override;
  int MaxRowCount() override;

 private:
  int LineHeight(TcxCanvas* canvas) const;
};

class TcxCustomMemoViewInfoClass : public TcxCustomTextEditViewInfoClass {
 public:
  using TcxCustomTextEditViewInfoClass::TcxCustomTextEditViewInfoClass;
  TcxCustomEditViewInfo* Create() const override;
};

// Where no inner window shows the text (a painted copy, a hidden inner window), the memo draws its
// rows itself: the whole multi-line layout with its selection, in the view's text colour.
class TcxCustomMemoViewInfo : public TcxCustomTextEditViewInfo {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomMemoViewInfo, TcxCustomMemoViewInfoClass)
  TcxCustomMemoViewInfo() = default;
  void PaintText(TcxCanvas* canvas) override;
};

// The memo's platform EDIT window: multi-line, with a client edge that lies under the memo's border.
// Its keys, clipboard and text traffic go to the memo first.
class TcxCustomInnerMemo : public TcxCustomInnerTextEdit {
  CALDERAN_CLASS(TcxCustomInnerMemo)
  explicit TcxCustomInnerMemo(TComponent* owner);
  ~TcxCustomInnerMemo() override;

  TStrings* Lines() { return lines_.get(); }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool value);
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool value) { wantTabs_ = value; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  // The caret as column and line; setting it leaves an empty selection there.
  TPoint CaretPos();
  void SetCaretPos(const TPoint& value);
  // While above 0, a text reaching the window is not taken as the memo's edit value.
  bool IsSettingText() const { return textSettingCount_ > 0; }
  void BeginSettingText() { ++textSettingCount_; }
  void EndSettingText() { --textSettingCount_; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& message) override;
  void KeyPress(char& key) override;
  void KeyUp(Word& key, TShiftState shift) override;
  TcxCustomMemo* Memo() const;
  bool ReadMultiLine() const override { return true; }

 private:
  void WMKeyDown(TMessage& message);
  void WMNCPaint(TMessage& message);
  void WMGetDlgCode(TMessage& message);
  void WMSetText(TMessage& message);
  void EMReplaceSel(TMessage& message);
  void HandleMemoClipboardMessage(TMessage& message);
  void FillScrollBarCorner();

  std::unique_ptr<TStrings> lines_;
  TScrollStyle scrollBars_ = ssNone;
  bool wantReturns_ = true, wantTabs_ = false, wordWrap_ = true;
  bool escapePending_ = false;
  int textSettingCount_ = 0;
};

class TcxCustomMemoClass : public TcxCustomTextEditClass {
 public:
  using TcxCustomTextEditClass::TcxCustomTextEditClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override {
    return TcxCustomMemoProperties::StaticClassOperations();
  }
  TClass InnerEditClass() const override { return TcxCustomInnerMemo::StaticClass(); }
};

class TcxCustomMemo : public TcxCustomTextEdit {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomMemo, TcxCustomMemoClass)
  explicit TcxCustomMemo(TComponent* owner, bool inPlace = false)
      : TcxCustomMemo(owner, StaticClassOperations(), inPlace) {}
  void Dispatch(TMessage& message) override;

  TcxCustomMemoProperties* ActiveMemoProperties() const {
    return static_cast<TcxCustomMemoProperties*>(ActiveProperties());
  }
  TcxCustomInnerMemo* InnerMemo() const;
  TStrings* Lines() const;
  void SetLines(TStrings* value);
  // Whether Enter (with WantReturns or Ctrl) or Tab (with WantTabs or the tab flag) is the memo's.
  virtual bool WantsKey(Word key, TShiftState shift, bool tabFlag);

  void InsertText(const std::string& text) override;
  void RemoveSelectedText() override;
  void CutSelection() override;
  // While set, the inner window's clear message takes its own path.
  bool SelfClearing() const { return selfClearing_; }
  // Cut, paste and clear reaching the inner window, as keyboard actions; a read-only memo copies
  // on cut and ignores the others.
  void HandleClipboardMessage(UINT message, bool readOnly);
  void AfterKeyDown(Word& key, TShiftState shift);

  void ApplyPropertiesChange(TObject* properties) override;
  void ShowDisplayValue(const TVariant& value) override;
  void AdjustInnerEditBounds() override;
  bool IsHeightAutoSized() override;
  bool IsValueChangingKey(Word key, TShiftState shift) override;
  bool PassesActivationChar(char ch) override { return ch != '\r'; }
  bool WantsTabKey() override;
  bool UsesInnerEditBounds() override { return true; }
  void HandleEditKeyDown(Word& key, TShiftState shift) override;
  void InnerEditChanged(TObject* sender) override;
  void FillDrawParams(TcxCustomEditViewData* viewData) override;
  bool HasBuiltInScrollBars() override;
  void Scroll(TScrollBarKind kind, TScrollCode code, int& position) override;
  void Loaded() override;

 protected:
  TcxCustomMemo(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace);
  void CreateParams(TCreateParams& params) override;
  void KeyDown(Word& key, TShiftState shift) override;
  void FontChanged() override;
  bool ScrollsWithoutScrollBars(TcxDirection direction) override;

 private:
  void AfterChangeUpdate();
  bool scrollBarsApplied_ = false, selfClearing_ = false, placingInnerEdit_ = false;
};

class TcxMemoClass : public TcxCustomMemoClass {
 public:
  using TcxCustomMemoClass::TcxCustomMemoClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override {
    return TcxMemoProperties::StaticClassOperations();
  }
};

class TcxMemo : public TcxCustomMemo {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxMemo, TcxMemoClass)
  explicit TcxMemo(TComponent* owner, bool inPlace = false) : TcxMemo(owner, StaticClassOperations(), inPlace) {}
  TcxMemoProperties* Properties() const { return static_cast<TcxMemoProperties*>(OwnProperties()); }
  void SetProperties(TcxMemoProperties* value) { OwnProperties()->Assign(value); }

 protected:
  TcxMemo(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace) : TcxCustomMemo(owner, cls, inPlace) {}
};

// A filter row offers the text operators only.
class TcxFilterMemoHelper : public TcxCustomFilterEditHelper {
  CALDERAN_CLASS(TcxFilterMemoHelper)
  static const TcxFilterMemoHelper* Instance();
  TcxFilterOperatorSet FilterOperatorSet(TcxCustomEditProperties* properties, TcxValueTypeClass valueType,
                                         bool extended) const override;

 protected:
  constexpr TcxFilterMemoHelper() = default;
};

extern const TUnitInfo cxMemoUnit;
