// The text editors the inspector places over a value cell: a platform edit window whose formatting
// rectangle the control sets, so that text can be aligned vertically and kept clear of a glyph at
// the left, a preview box and a button at the right.
#pragma once
#include <memory>
#include <string>

#include "StdCtrls.h"

class TNxCustomEdit;

enum TVerticalAlignment : uint8_t { vaTop, vaMiddle, vaBottom };

class TNxMargins : public TPersistent {
  CALDERAN_CLASS(TNxMargins)
  explicit TNxMargins(TNxCustomEdit* edit) : edit_(edit) {}
  void Assign(TPersistent* source) override;
  int Top() const { return top_; }
  int Bottom() const { return bottom_; }
  int Left() const { return left_; }
  int Right() const { return right_; }
  void SetTop(int v) { Set(top_, v); }
  void SetBottom(int v) { Set(bottom_, v); }
  void SetLeft(int v) { Set(left_, v); }
  void SetRight(int v) { Set(right_, v); }

 private:
  void Set(int& field, int value);
  TNxCustomEdit* edit_;
  int top_ = 0, bottom_ = 0, right_ = 0, left_ = 0;
};

// The screen cursor of the select-the-line zone at an edit's left edge ("REVERSEDARROW").
constexpr TCursor crReversedArrow = 100;

class TNxCustomEdit : public TCustomEdit {
  CALDERAN_CLASS(TNxCustomEdit)
  explicit TNxCustomEdit(TComponent* owner);
  ~TNxCustomEdit() override;
  void Dispatch(TMessage& message) override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TVerticalAlignment VerticalAlignment() const { return verticalAlignment_; }
  void SetVerticalAlignment(TVerticalAlignment value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value) { autoSize_ = value; }
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* value) { glyph_->Assign(value); }
  bool InPlace() const { return inPlace_; }
  void SetInPlace(bool value) { inPlace_ = value; }
  TNxMargins* InnerMargins() const { return innerMargins_.get(); }
  void SetInnerMargins(TNxMargins* value) { innerMargins_->Assign(value); }
  bool PreviewBorder() const { return previewBorder_; }
  void SetPreviewBorder(bool value);
  bool ShowPreview() const { return showPreview_; }
  void SetShowPreview(bool value);
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool value) { wantTabs_ = value; }
  TCanvas* Canvas() const { return canvas_.get(); }
  TNotifyEvent OnGlyphClick;

  virtual bool GetAsBoolean();
  virtual double GetAsDateTime();
  virtual double GetAsFloat();
  virtual int GetAsInteger();
  virtual std::u16string GetEditText() { return AnsiToWide(Text()); }
  virtual bool TextEditable() { return true; }
  virtual TRect GetEditRect();
  virtual TRect GetPreviewRect();
  virtual void PaintFace() {}
  virtual void SetAsBoolean(bool value) { SetText(value ? "True" : "False"); }
  virtual void SetAsDateTime(double value);
  virtual void SetAsFloat(double value);
  virtual void SetAsInteger(int value);
  virtual void SetEditText(const std::u16string& value) { SetText(WideToAnsi(value)); }
  virtual void CaretToEnd() {}

  // Sends the formatting rectangle to the edit window.
  void UpdateEditRect();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  virtual void DoGlyphClick();
  virtual void PaintWindowExtras() {}
  int TextHeight();
  void WMPaint(TMessage& m);
  void WMNCPaint(TMessage& m);
  void WMEraseBkgnd(TMessage& m);
  void WMGetDlgCode(TMessage& m) { m.Result = wantTabs_ ? 131 : 129; }
  void CMEnabledChanged(TMessage& m);
  void WMWindowPosChanged(TMessage& m);

 private:
  void GlyphChanged(TObject* sender);
  std::unique_ptr<TControlCanvas> canvas_;
  std::unique_ptr<TBitmap> glyph_;
  std::unique_ptr<TNxMargins> innerMargins_;
  TAlignment alignment_ = taLeftJustify;
  TVerticalAlignment verticalAlignment_ = vaMiddle;
  bool autoSize_ = true;
  bool inPlace_ = false;
  bool previewBorder_ = false;
  bool showPreview_ = false;
  bool wantTabs_ = false;
};

using TCustomPreviewDrawEvent = TEvent<void(TObject* Sender, TRect PreviewRect)>;

class TNxEdit : public TNxCustomEdit {
  CALDERAN_CLASS(TNxEdit)
  using TNxCustomEdit::TNxCustomEdit;
  void Dispatch(TMessage& message) override;
  void CaretToEnd() override;
  virtual void DrawPreview(const TRect& rect) { DoCustomPreviewDraw(rect); }

  TCustomPreviewDrawEvent OnCustomPreviewDraw;

 protected:
  virtual void DoCustomPreviewDraw(const TRect& rect) {
    if (OnCustomPreviewDraw) OnCustomPreviewDraw(this, rect);
  }
  virtual void TextChanged() {}
  void Change() override;
  void KeyPress(char& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void PaintWindowExtras() override;
  void WMSize(TMessage& m);
};
