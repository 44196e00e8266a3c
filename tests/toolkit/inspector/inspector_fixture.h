// Shared by the inspector's tests: the units started once, a shown form to put controls on, a
// bitmap canvas to draw on, and message pumps bounded so that a fault fails instead of hanging.
#pragma once
#include "message_pump.h"
#include <functional>
#include <memory>

#include "Forms.h"
#include "NxInspectorUnits.h"
#include "shown_form.h"

struct InspectorFixture : ::testing::Test {
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartInspectorUnits();
  }
};

struct FormFixture : InspectorFixture, ShownForm {};

// A white 24-bit drawing surface.
struct TestSurface {
  explicit TestSurface(int w = 64, int h = 64) : bitmap(w, h, TPixelFormat::pf24bit) {
    Canvas()->Brush()->SetColor(clWhite);
    Canvas()->FillRect(Rect(0, 0, w, h));
  }
  TCanvas* Canvas() { return bitmap.Canvas(); }
  COLORREF At(int x, int y) { return GetPixel(Canvas()->Handle(), x, y); }
  TBitmap bitmap;
};

