// The editor framework's exception classes, shared routines and module start-up.
#include "cxEdit.h"

#include "Forms.h"
#include "cxVariants.h"

CALDERAN_IMPLEMENT_CLASS(EcxEditError, Exception)
CALDERAN_IMPLEMENT_CLASS(EcxEditValidationError, EcxEditError)

void FreeEditRegistries();  // cxEditRepository.cpp

namespace {

TcxEditStyleController* sharedEditStyleController = nullptr;

bool VariantValuesEqual(const TVariant& a, const TVariant& b) {
  try {
    return VarEqualsEx(a, b);
  } catch (const Exception&) {
    return false;
  }
}

}  // namespace

TcxEditStyleController* SharedEditStyleController() { return sharedEditStyleController; }

// ---------------------------------------------------------------------------------------------
// Routines

TShiftState MouseButtonToShift(TMouseButton button) {
  switch (button) {
    case mbLeft: return {ssLeft};
    case mbRight: return {ssRight};
    case mbMiddle: return {ssMiddle};
  }
  return {};
}

TShiftState ToolkitMouseButtonToShift(TcxContainerMouseButton button) {
  switch (button) {
    case cmbLeft: return MouseButtonToShift(mbLeft);
    case cmbRight: return MouseButtonToShift(mbRight);
    case cmbMiddle: return MouseButtonToShift(mbMiddle);
    case cmbNone: break;
  }
  return {};
}

bool VarEqualsForEdit(const TVariant& a, const TVariant& b) {
  const bool comparable = (VarIsNumericOrBcd(a) && VarIsNumericOrBcd(b)) || a.VarType() == b.VarType();
  return comparable && VariantValuesEqual(a, b);
}

bool VariantsEqualExact(const TVariant& a, const TVariant& b) {
  return a.VarType() == b.VarType() && VariantValuesEqual(a, b);
}

bool IsBlankChar(char ch) {
  switch (static_cast<unsigned char>(ch)) {
    case 0: case 9: case 10: case 12: case 13: case 32: return true;
  }
  return false;
}

void DeliverKeyDown(TWinControl* control, Word key, TShiftState) {
  SendMessageA(control->Handle(), WM_KEYDOWN, key, 0);
}

void DeliverKeyPress(TWinControl* control, char ch) {
  SendMessageA(control->Handle(), WM_CHAR, static_cast<unsigned char>(ch), 0);
}

bool IsRegionEmpty(TcxRegion* region) {
  RECT box;
  return GetRgnBox(region->Handle(), &box) == NULLREGION;
}

void MergeRegions(TcxRegion* destination, TcxRegion* source) {
  CombineRgn(destination->Handle(), destination->Handle(), source->Handle(), RGN_OR);
}

void DrawShadedFrame(TcxCanvas* canvas, TRect& rect, TColor topLeft, TColor bottomRight) {
  canvas->FrameRectTwoColor(rect, topLeft, bottomRight);
  rect.Inflate(-1, -1);
}

void FrameRectSides(TcxCanvas* canvas, TRect& rect, TColor color) {
  canvas->FrameRect(rect, color);
  rect.Inflate(-1, -1);
}

TComponent* OwningComponent(TPersistent* persistent) {
  for (TPersistent* p = persistent; p; p = p->GetOwner())
    if (auto* component = ObjectAs<TComponent>(p)) return component;
  return nullptr;
}

TcxLookAndFeelKind ButtonsLookAndFeelKind(TcxCustomEdit* editor) {
  if (editor->InPlace()) return editor->Style()->LookAndFeel()->Kind();
  TcxEditButtons* buttons = editor->EffectiveProperties()->Buttons();
  if (buttons->VisibleCount() == 0) return lfStandard;
  constexpr TcxLookAndFeelKind kinds[] = {lfStandard, lfStandard, lfFlat, lfFlat, lfFlat, lfUltraFlat, lfOffice11};
  return kinds[editor->Style()->ButtonStyle()];
}

// ---------------------------------------------------------------------------------------------
// Module start-up

namespace {

void StartEdit() {
  if (HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), "CXEDIT_MOUSEWHEEL"))
    Screen->SetCursors(crcxEditMouseWheel, cursor);
  sharedEditStyleController = new TcxEditStyleController(nullptr);
  SetDefaultStyleController(sharedEditStyleController);
  RegisterEditPublishedProperties();
}

void StopEdit() {
  FreeEditRegistries();
  SetDefaultStyleController(nullptr);
  delete sharedEditStyleController;
  sharedEditStyleController = nullptr;
}

}  // namespace

constinit const TUnitInfo cxEditUnit{"cxEdit", StartEdit, StopEdit};
