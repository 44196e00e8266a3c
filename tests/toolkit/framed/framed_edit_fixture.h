// Shared by the tests of the framed edit boxes: a shown form with the edit box under test and a
// plain edit box below it to move the focus to.
#pragma once
#include "StdCtrls.h"
#include "framed_control_fixture.h"

template <class TEditBox> class FramedEditFixture : public FramedControlFixture<TEditBox> {
 protected:
  TEditBox* ShowOnForm(const TRect& bounds) {
    this->NewForm();
    auto* box = this->Place(bounds);
    other_ = this->template Place<TEdit>(Bounds(10, 60, 80, 21));
    this->form_->Show();
    return box;
  }

  TEdit* other_ = nullptr;
};
