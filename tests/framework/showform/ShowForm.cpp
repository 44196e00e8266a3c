// Shows one form read from its stored definition until it is closed (or, with a number of
// milliseconds as the argument, until that time has passed). scripts/screenshot-form runs it on a
// virtual display; it also checks the framework the way a program uses it.
#include <windows.h>

#include <cstdlib>

#include "ExtCtrls.h"
#include "FormReader.h"
#include "Forms.h"
#include "Mask.h"
#include "StdCtrls.h"
#include "TypInfo.h"

namespace {
class TShowForm : public TForm {
  CALDERAN_CLASS(TShowForm)
  using TForm::TForm;
  TImage* Picture = nullptr;
  TTimer* closer = nullptr;

  // A colour wheel of sorts, drawn on the image's own bitmap.
  void FormCreate(TObject*) {
    TCanvas* c = Picture->Canvas();
    const TColor colours[] = {clRed, clYellow, clLime, clAqua, clBlue, clFuchsia};
    for (int i = 0; i < 6; ++i) {
      c->Brush()->SetColor(colours[i]);
      c->Pen()->SetColor(colours[i]);
      c->Rectangle(i * 15, 0, i * 15 + 15, 88);
    }
    c->Brush()->SetColor(clWhite);
    c->Pen()->SetColor(clBlack);
    c->Ellipse(24, 24, 64, 64);
  }
  void CloseNow(TObject*) { Close(); }
};
CALDERAN_IMPLEMENT_CREATABLE(TShowForm, TForm, TComponent*)

constinit const TPropInfo fields[] = {PublishedField<&TShowForm::Picture>("Picture")};
constinit const TMethodInfo methods[] = {PublishedMethod<&TShowForm::FormCreate>("FormCreate")};
}  // namespace

int main(int argc, char** argv) {
  StartUnits({&ClassesUnit, &GraphicsUnit, &ControlsUnit, &FormsUnit, &FormReaderUnit});
  RegisterPublishedProperties(TShowForm::StaticClass(), fields);
  RegisterPublishedMethods(TShowForm::StaticClass(), methods);
  int code = 0;
  try {
    TShowForm* form = nullptr;
    Application->CreateForm(form);
    if (argc > 1) {
      form->closer = new TTimer(form);
      form->closer->SetInterval(static_cast<uint32_t>(std::atoi(argv[1])));
      form->closer->SetOnTimer(MakeEvent(form, &TShowForm::CloseNow));
    }
    Application->Run();
  } catch (const Exception& e) {
    MessageBoxA(nullptr, e.Message().c_str(), "ShowForm", MB_OK);
    code = 1;
  }
  StopUnits();
  return code;
}
