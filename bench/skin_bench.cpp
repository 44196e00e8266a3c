// Times loading one skin from its stream and binding it for the painters (TdxSkin::LoadFromStream,
// then a TdxSkinLookAndFeelPainterInfo over it), and prints the milliseconds per skin: the tests'
// small skin as it is, the same skin completed by a first binding (every group and element the
// painters use present, as in a full skin), and then all 21 of the program's skins from the
// resources, as the skin units load them at every start; last, what drawing every element of one
// skin costs the first time (the pictures are decoded then) and again, and what the parts of a
// window's first paint cost under each skin. Usage: skin_bench.exe [rounds]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cxBaseUnits.h"
#include "cxLookAndFeelPainters.h"
#include "cxLookAndFeels.h"
#include "dxOffice11.h"
#include "dxSkinInfo.h"
#include "dxSkinsBuiltIn.h"
#include "dxSkinsDefaultPainters.h"
#include "dxSkinsTestSkin.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct TTimes {
  double Load = 0, Bind = 0;
};

void LoadAndBind(const std::string& bytes, TTimes& times) {
  LARGE_INTEGER start, loaded, bound;
  QueryPerformanceCounter(&start);
  auto* skin = new TdxSkin();
  testskin::LoadSkin(skin, bytes);
  QueryPerformanceCounter(&loaded);
  TdxSkinLookAndFeelPainterInfo info(skin);  // binds; frees the skin with itself
  QueryPerformanceCounter(&bound);
  times.Load += Milliseconds(start, loaded);
  times.Bind += Milliseconds(loaded, bound);
}

void Report(const char* name, const std::string& bytes, int rounds) {
  TTimes warmUp, times;
  LoadAndBind(bytes, warmUp);
  for (int i = 0; i < rounds; ++i) LoadAndBind(bytes, times);
  std::printf("%-15s %6zu bytes: %7.2f ms to load and bind (load %.2f, bind %.2f; %d rounds)\n", name, bytes.size(),
              (times.Load + times.Bind) / rounds, times.Load / rounds, times.Bind / rounds, rounds);
}

// The 21 skins from the program's resources, each loaded and bound, as one start-up does.
void ReportProgramSkins(int rounds) {
  std::vector<std::string> names(std::begin(dxBuiltInSkinNames), std::end(dxBuiltInSkinNames));
  names.push_back(dxUserSkinName);
  TTimes times;
  for (int round = 0; round <= rounds; ++round) {
    TTimes one;
    for (const std::string& name : names) {
      LARGE_INTEGER start, loaded, bound;
      QueryPerformanceCounter(&start);
      auto* skin = new TdxSkin(name, true, GetModuleHandleA(nullptr));
      QueryPerformanceCounter(&loaded);
      TdxSkinLookAndFeelPainterInfo info(skin);
      QueryPerformanceCounter(&bound);
      one.Load += Milliseconds(start, loaded);
      one.Bind += Milliseconds(loaded, bound);
    }
    if (round == 0) continue;  // warm-up
    times.Load += one.Load;
    times.Bind += one.Bind;
  }
  std::printf("%-15s %6zu skins: %7.2f ms to load and bind all (load %.2f, bind %.2f; %d rounds)\n", "program skins",
              names.size(), (times.Load + times.Bind) / rounds, times.Load / rounds, times.Bind / rounds, rounds);
}

// Drawing every element of one skin once in its first state: the first time decodes the pictures
// the load deferred, the second time shows the drawing alone.
void ReportFirstDrawing(const std::string& name) {
  TdxSkinLookAndFeelPainterInfo info(new TdxSkin(name, true, GetModuleHandleA(nullptr)));
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, -64, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  double passes[2] = {};
  int elements = 0;
  for (double& pass : passes) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    TdxSkin* skin = info.GetSkin();
    elements = 0;
    for (int g = 0; g < skin->GroupCount(); ++g)
      for (int e = 0; e < skin->Groups(g)->ElementCount(); ++e, ++elements) {
        TdxSkinElement* element = skin->Groups(g)->Elements(e);
        TdxSkinElementStates states = element->Image()->States();
        TdxSkinElementState state = esNormal;
        while (!states.Contains(state) && state < esCheckPressed) state = TdxSkinElementState(state + 1);
        element->Draw(dc, TRect(0, 0, 64, 64), 0, state);
      }
    QueryPerformanceCounter(&end);
    pass = Milliseconds(start, end);
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  std::printf("%-15s %6d elements: %7.2f ms to draw each once the first time (decoding), %.2f ms again\n",
              name.c_str(), elements, passes[0], passes[1]);
}

// What a window under a skin draws at its first paint: its caption, frame and caption buttons,
// its content, and the parts of the common controls on it (buttons, editors, a list header,
// scroll bars, check boxes, a group box, a panel, a progress bar), each at the size the controls
// give it. Timed for every skin on a freshly loaded skin, so every picture is decoded then.
struct TFirstPaintPart {
  TdxSkinElementId Element;
  int Width, Height;
  TdxSkinElementState State;
};
const TFirstPaintPart firstPaintParts[] = {
    {seFormCaption, 640, 30, esActive}, {seFormFrameLeft, 4, 400, esActive}, {seFormFrameRight, 4, 400, esActive},
    {seFormFrameBottom, 640, 4, esActive}, {seFormButtonClose, 18, 18, esNormal},
    {seFormButtonMinimize, 18, 18, esNormal}, {seFormButtonMaximize, 18, 18, esNormal},
    {seFormContent, 640, 400, esNormal}, {seButton, 100, 26, esNormal}, {seButton, 100, 26, esDisabled},
    {seHeader, 110, 20, esNormal}, {seEditorButton, 17, 19, esNormal}, {seComboButtonGlyph, 9, 9, esNormal},
    {seCheckbox, 14, 14, esNormal}, {seRadioButton, 14, 14, esNormal}, {seGroupPanelTop, 200, 90, esNormal},
    {seGroupPanelCaptionTop, 200, 20, esNormal}, {seGroupPanelNoBorder, 200, 40, esNormal},
    {seProgressBorder, 200, 18, esNormal}, {seProgressChunk, 120, 14, esNormal},
    {seScrollButton, 17, 17, esNormal}, {seScrollThumbVert, 17, 40, esNormal},
    {seScrollContentVert, 17, 100, esNormal}, {seSizeGrip, 17, 17, esNormal}};

void ReportFirstWindowPaint() {
  std::vector<std::string> names(std::begin(dxBuiltInSkinNames), std::end(dxBuiltInSkinNames));
  names.push_back(dxUserSkinName);
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 640, -400, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  double slowest = 0, total = 0, again = 0;
  std::string slowestName;
  for (const std::string& name : names) {
    TdxSkinLookAndFeelPainterInfo info(new TdxSkin(name, true, GetModuleHandleA(nullptr)));
    double passes[2] = {};
    for (double& pass : passes) {
      LARGE_INTEGER start, end;
      QueryPerformanceCounter(&start);
      for (const TFirstPaintPart& part : firstPaintParts)
        if (TdxSkinElement* element = info.Element(part.Element))
          element->Draw(dc, TRect(0, 0, part.Width, part.Height), 0, part.State);
      QueryPerformanceCounter(&end);
      pass = Milliseconds(start, end);
    }
    total += passes[0];
    again += passes[1];
    if (passes[0] > slowest) slowest = passes[0], slowestName = name;
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  std::printf("%-15s %6zu parts: %7.2f ms for a window's first paint on average over the %zu skins, slowest %.2f ms "
              "(%s), %.2f ms painted again\n", "first paint", std::size(firstPaintParts), total / names.size(),
              names.size(), slowest, slowestName.c_str(), again / names.size());
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  StartToolkitBaseUnits();
  StartUnits({&dxUxThemeUnit, &dxThemeManagerUnit, &dxOffice11Unit, &cxLookAndFeelsUnit, &cxLookAndFeelPaintersUnit,
              &dxSkinsCoreUnit});
  if (!IsGdiPlusAvailable()) {
    std::printf("GDI+ is not available: skins are not read\n");
    return 1;
  }
  const std::string testBytes = testskin::SaveSkin(testskin::MakeTestSkin().get());
  TdxSkinInfo completed(testskin::MakeTestSkin().release());
  const std::string completedBytes = testskin::SaveSkin(completed.GetSkin());
  Report("test skin", testBytes, rounds);
  Report("completed skin", completedBytes, rounds);
  ReportProgramSkins(std::max(1, rounds / 5));
  ReportFirstDrawing("Harbor");
  ReportFirstWindowPaint();
  StopUnits();
  return 0;
}
