// The toolkit gallery: one form showing a page of toolkit controls (GalleryPages.h) in one look and
// feel. scripts/gallery shows it on a virtual display once per look and page and saves a picture.
//
//   toolkit_gallery.exe [--kind flat|standard|ultra-flat|office-11|native] [--skin NAME]
//                       [--page NAME] [--close-after MILLISECONDS]
//   toolkit_gallery.exe --list-pages
//
// Work that builds new controls adds a page of its own (a <Name>Page.cpp listed in
// GalleryPages.cpp); new painters and painter elements go to PainterSheet.cpp.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "Forms.h"
#include "GalleryPages.h"
#include "RzFramedUnits.h"
#include "cxBaseUnits.h"
#include "dxBarSkin.h"
#include "dxRibbon.h"
#include "dxRibbonSkins.h"
#include "cxMaskEdit.h"
#include "cxDropDownEdit.h"
#include "dxSkinsBuiltIn.h"
#include "cxControls.h"
#include "cxLookAndFeelPainters.h"
#include "cxLookAndFeels.h"
#include "cxProgressBar.h"
#include "cxTextEdit.h"
#include "cxRadioGroup.h"
#include "dxBarUnits.h"
#include "dxOffice11.h"
#include "dxSkinsLookAndFeelPainter.h"
#include "dxSkinsForm.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

namespace {

struct TGalleryOptions {
  std::string Kind = "ultra-flat";
  std::string Skin;
  std::string Page = "base";
  int CloseAfter = 0;
};

TGalleryOptions ParseOptions(int argc, char** argv) {
  TGalleryOptions options;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--kind")) options.Kind = argv[i + 1];
    else if (!std::strcmp(argv[i], "--skin")) options.Skin = argv[i + 1];
    else if (!std::strcmp(argv[i], "--page")) options.Page = argv[i + 1];
    else if (!std::strcmp(argv[i], "--close-after")) options.CloseAfter = std::atoi(argv[i + 1]);
  }
  return options;
}

const TGalleryPageEntry* FindPage(const std::string& name) {
  for (const TGalleryPageEntry& entry : GalleryPages())
    if (name == entry.Name) return &entry;
  return nullptr;
}

// The root look and feel, which every control follows unless it assigns its own.
void ApplyLook(const TGalleryOptions& options) {
  struct TKindName { const char* Name; TcxLookAndFeelKind Kind; } const kinds[] = {
      {"flat", lfFlat}, {"standard", lfStandard}, {"ultra-flat", lfUltraFlat}, {"office-11", lfOffice11}, {"native", lfStandard}};
  TcxLookAndFeel* root = RootLookAndFeel();
  for (const TKindName& k : kinds)
    if (options.Kind == k.Name) root->SetKind(k.Kind);
  root->SetNativeStyle(options.Kind == "native");
  if (!options.Skin.empty()) root->SetSkinName(options.Skin);
}

TGalleryOptions galleryOptions;

// An error in the gallery ends it with the message on the error stream: nobody is there to close
// a message box on the virtual display.
struct TErrorReport {
  void Show(TObject*, Exception* e) {
    std::fprintf(stderr, "gallery: %s\n", e ? e->Message().c_str() : "unknown error");
    std::exit(1);
  }
} errorReport;

class TGalleryForm : public TForm {
 public:
  explicit TGalleryForm(TComponent* owner)
      : TForm(owner, 0), page_(this, galleryOptions.Kind, galleryOptions.Skin) {
    const TGalleryOptions& options = galleryOptions;
    SetCaption("Toolkit gallery: " + options.Page + " / " + options.Kind + (options.Skin.empty() ? "" : " / " + options.Skin));
    SetBounds(0, 0, 1900, 1160);
    SetColor(clBtnFace);
    FindPage(options.Page)->Build(page_);
    showTimer_ = new TcxTimer(this);
    showTimer_->SetInterval(400);
    showTimer_->SetOnTimer(MakeEvent(this, &TGalleryForm::ShowTransients));
    if (options.CloseAfter > 0) {
      closeTimer_ = new TcxTimer(this);
      closeTimer_->SetInterval(static_cast<uint32_t>(options.CloseAfter));
      closeTimer_->SetOnTimer(MakeEvent(this, &TGalleryForm::CloseNow));
    }
  }

 private:
  void ShowTransients(TObject*) {
    showTimer_->SetEnabled(false);
    page_.RunAfterShow();
  }

  void CloseNow(TObject*) { Close(); }

  TGalleryPage page_;
  TcxTimer* showTimer_ = nullptr;
  TcxTimer* closeTimer_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  StartToolkitBaseUnits();
  StartUnits({&dxUxThemeUnit, &dxThemeManagerUnit, &dxOffice11Unit, &cxLookAndFeelsUnit, &cxLookAndFeelPaintersUnit});
  StartUnits({&cxControlsUnit});
  StartSkinUnits();  // the program's skins: skin:NAME
  StartUnits({&dxSkinsFormUnit});  // skinned frames and captions under a skin
  StartFramedUnits();
  StartUnits({&cxContainerUnit, &cxEditPaintUtilsUnit, &cxEditUnit, &cxProgressBarUnit, &cxTextEditUnit, &cxMaskEditUnit,
              &cxGroupBoxUnit, &cxRadioGroupUnit, &cxDropDownEditUnit});
  StartUnits({&dxBarSkinUnit, &dxRibbonSkinsUnit});
  StartBarUnits();
  StartUnits({&dxRibbonUnit});
  if (argc == 2 && !std::strcmp(argv[1], "--list-pages")) {
    for (const TGalleryPageEntry& entry : GalleryPages()) std::printf("%s\n", entry.Name);
    return 0;
  }
  galleryOptions = ParseOptions(argc, argv);
  if (!FindPage(galleryOptions.Page)) {
    std::fprintf(stderr, "gallery: no page named %s\n", galleryOptions.Page.c_str());
    return 2;
  }
  int code = 0;
  try {
    Application->OnException = MakeEvent(&errorReport, &TErrorReport::Show);
    ApplyLook(galleryOptions);
    // With a skin chosen, the skin controller paints the frames, captions and caption buttons of
    // the gallery's windows.
    std::unique_ptr<TdxSkinController> skinController;
    if (!galleryOptions.Skin.empty()) skinController = std::make_unique<TdxSkinController>(nullptr);
    TGalleryForm* form = nullptr;
    Application->CreateForm(form);
    Application->Run();
  } catch (const Exception& e) {
    std::fprintf(stderr, "gallery: %s\n", e.Message().c_str());
    code = 1;
  }
  StopUnits();
  return code;
}
