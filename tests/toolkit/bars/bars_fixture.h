// Shared by the bar system's tests: the units in their start-up order once per process, a form
// with a bar manager, a bar window on it and an item control whose glyph and caption a test sets.
#pragma once
#include <memory>
#include <string>

#include "FormReader.h"
#include "Forms.h"
#include "calderan_test.h"
#include "dxBarControl.h"
#include "dxBarItem.h"
#include "dxBarItemControl.h"
#include "dxBarManager.h"
#include "dxBarUnits.h"
#include "lookandfeel_fixture.h"

inline void StartBarTestUnits() {
  StartLookAndFeelUnits();
  StartUnits({&FormReaderUnit});
  StartBarUnits();
}

// An item control that shows what a test gives it.
class TTestItemControl : public TdxBarItemControl {
 public:
  using TdxBarItemControl::TdxBarItemControl;
  bool IsPressed() const override { return Pressed; }
  bool GetEnabled() const override { return Enabled; }
  TdxBarGlyphLayout GlyphLayout() const override { return Layout; }
  bool GetImageInfo(int, bool, TCustomImageList*& images, int& index, TBitmap*& glyph) const override {
    images = nullptr;
    index = -1;
    glyph = Glyph && !Glyph->Empty() ? Glyph : nullptr;
    return glyph != nullptr;
  }

  bool Pressed = false;
  bool Enabled = true;
  TdxBarGlyphLayout Layout = glLeft;
  TBitmap* Glyph = nullptr;
};

class BarFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartBarTestUnits();
  }
  void SetUp() override {
    form_ = std::make_unique<TForm>(nullptr, 0);
    form_->SetBounds(0, 0, 400, 300);
    manager_ = new TdxBarManager(form_.get());
    bar_ = new TCustomdxBarControl(form_.get(), manager_);
    bar_->SetParent(form_.get());
    bar_->SetBounds(0, 0, 300, 40);
    control_ = std::make_unique<TTestItemControl>(bar_, nullptr);
  }
  void TearDown() override {
    control_.reset();
    form_.reset();
  }

  std::unique_ptr<TForm> form_;
  TdxBarManager* manager_ = nullptr;
  TCustomdxBarControl* bar_ = nullptr;
  std::unique_ptr<TTestItemControl> control_;
};
