// Gallery pages: each page puts one family of toolkit controls on the gallery form, in the look and
// feel the gallery was started with. A page lives in a file of its own (<Name>Page.cpp) and is
// listed in the page table of GalleryPages.cpp; `--page NAME` chooses which one the form shows.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Forms.h"
#include "StdCtrls.h"

class TGalleryPage {
 public:
  TGalleryPage(TForm* form, std::string kind, std::string skin)
      : form_(form), kind_(std::move(kind)), skin_(std::move(skin)) {}

  // The form owns and parents every control of the page.
  TForm* Form() const { return form_; }
  // The look the gallery shows: "flat", "standard", "ultra-flat", "office-11" or "native"; Skin()
  // names the skin painted over it, if any.
  const std::string& Kind() const { return kind_; }
  const std::string& Skin() const { return skin_; }

  TLabel* AddLabel(int x, int y, const std::string& text, int width = 400);
  template <class T> T* Place(T* control, int x, int y, int width, int height) {
    control->SetParent(form_);
    control->SetBounds(x, y, width, height);
    return control;
  }

  // Work that needs the form on screen (opening popups and drop-downs, hints): run once, shortly
  // after the form is shown, in the order given.
  void AfterShow(std::function<void()> action) { afterShow_.push_back(std::move(action)); }
  void RunAfterShow();

 private:
  TForm* form_;
  std::string kind_;
  std::string skin_;
  std::vector<std::function<void()>> afterShow_;
};

struct TGalleryPageEntry {
  const char* Name;
  void (*Build)(TGalleryPage& page);
};

// Every page, in the order scripts/gallery shoots them; the first is the default.
const std::vector<TGalleryPageEntry>& GalleryPages();
