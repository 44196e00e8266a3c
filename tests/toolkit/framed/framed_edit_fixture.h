// Shared by the tests of the framed edit boxes: the framed units once per process, and a shown form
// with the edit box under test and a plain edit box below it to move the focus to.
#pragma once
#include <memory>

#include "StdCtrls.h"
#include "framed_fixture.h"

template <class TEditBox> class FramedEditFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartFramedTestUnits();
  }
  TEditBox* ShowOnForm(const TRect& bounds) {
    form_ = std::make_unique<TForm>(nullptr, 0);
    form_->SetBounds(0, 0, 300, 200);
    auto* box = new TEditBox(form_.get());
    box->SetParent(form_.get());
    box->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    other_ = new TEdit(form_.get());
    other_->SetParent(form_.get());
    other_->SetBounds(10, 60, 80, 21);
    form_->Show();
    return box;
  }

  std::unique_ptr<TForm> form_;
  TEdit* other_ = nullptr;
};
