// A shown form for each test, to put controls on: a fixture takes it in beside its own set-up.
#pragma once
#include <memory>

#include "Forms.h"

struct ShownForm {
  ShownForm() {
    form = std::make_unique<TForm>(nullptr, 0);
    form->SetBounds(50, 50, 500, 400);
    form->Show();
  }
  template <class T> T* Place(T* control, int x, int y, int w, int h) {
    control->SetParent(form.get());
    control->SetBounds(x, y, w, h);
    return control;
  }
  std::unique_ptr<TForm> form;
};
