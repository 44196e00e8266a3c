// The track bar: thumb images, geometry, painting, keyboard and mouse.
#include "RzTrkBar.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "Forms.h"
#include "RzFramedTypes.h"
#include "RzGrafx.h"
#include "TypInfo.h"

CALDERAN_IMPLEMENT_CREATABLE(TRzTrackBar, TCustomControl, TComponent*)

namespace {
constexpr uint32_t firstRepeatDelay = 200, repeatDelay = 100;

// The resource name of a thumb family in one orientation.
std::string ThumbResourceName(TThumbStyle style, TOrientation orientation, TPointerType pointer) {
  const bool vertical = orientation == orVertical;
  switch (style) {
    case tsBox: return vertical ? "RZTRKBAR_V_BOX" : "RZTRKBAR_H_BOX";
    case tsMixer: return vertical ? "RZTRKBAR_V_MIXER" : "RZTRKBAR_H_MIXER";
    case tsFlat: return vertical ? "RZTRKBAR_V_FLAT" : "RZTRKBAR_H_FLAT";
    case tsXPPointer: return vertical ? "RZTRKBAR_V_XPPTR" : "RZTRKBAR_H_XPPTR";
    case tsXPBox: return vertical ? "RZTRKBAR_V_XPBOX" : "RZTRKBAR_H_XPBOX";
    default: return vertical ? "RZTRKBAR_V_PTR" : pointer == ptWin95 ? "RZTRKBAR_WIN95" : "RZTRKBAR_H_PTR";
  }
}

struct TColorMapEntry {
  COLORREF From, To;
};

// Loads a bitmap resource as 24 bits per pixel, its key colours replaced.
std::unique_ptr<TBitmap> LoadThumbBitmap(const std::string& name, const std::vector<TColorMapEntry>& map) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->LoadFromResourceName(GetModuleHandleA(nullptr), name);
  bitmap->SetPixelFormat(TPixelFormat::pf24bit);
  if (map.empty()) return bitmap;
  for (int y = 0; y < bitmap->Height(); ++y) {
    auto* row = static_cast<uint8_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < bitmap->Width(); ++x) {
      uint8_t* px = row + 3 * x;
      const COLORREF color = RGB(px[2], px[1], px[0]);
      for (const TColorMapEntry& e : map)
        if (e.From == color) {
          px[0] = GetBValue(e.To), px[1] = GetGValue(e.To), px[2] = GetRValue(e.To);
          break;
        }
    }
  }
  return bitmap;
}

std::unique_ptr<TBitmap> CopyFrame(TBitmap* strip, int index, int width) {
  auto frame = std::make_unique<TBitmap>(width, strip->Height());
  if (width > 0 && strip->Height() > 0)
    BitBlt(frame->Canvas()->Handle(), 0, 0, width, strip->Height(), strip->Canvas()->Handle(), index * width, 0,
           SRCCOPY);
  return frame;
}

int FloorDiv(int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
}  // namespace

TRzTrackBar::TRzTrackBar(TComponent* owner)
    : TCustomControl(owner),
      repeatTimer_(std::make_unique<TTimer>(nullptr)),
      background_(std::make_unique<TBitmap>()),
      customThumb_(std::make_unique<TBitmap>()) {
  SetBounds(Left(), Top(), 200, 35);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  repeatTimer_->SetEnabled(false);
  repeatTimer_->SetInterval(firstRepeatDelay);
  repeatTimer_->OnTimer = MakeEvent(this, &TRzTrackBar::RepeatTimerTick);
  customThumb_->OnChange = MakeEvent(this, &TRzTrackBar::CustomThumbChanged);
  LoadThumbImages();
  HINSTANCE module = GetModuleHandleA(nullptr);
  horizontalCursor_ = static_cast<HCURSOR>(LoadImageA(module, "RZTRKBAR_H_CURSOR", IMAGE_CURSOR, 0, 0, 0));
  verticalCursor_ = static_cast<HCURSOR>(LoadImageA(module, "RZTRKBAR_V_CURSOR", IMAGE_CURSOR, 0, 0, 0));
}

TRzTrackBar::~TRzTrackBar() {
  customThumb_->OnChange = {};
  if (horizontalCursor_) DestroyCursor(horizontalCursor_);
  if (verticalCursor_) DestroyCursor(verticalCursor_);
}

void TRzTrackBar::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_GETDLGCODE: WMGetDlgCode(message); break;
    case WM_SETFOCUS: case WM_KILLFOCUS: WMFocusChanged(message); break;
    case WM_SIZE: WMSize(message); break;
    case WM_SETCURSOR: WMSetCursor(message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(message); break;
    case CM_DESIGNHITTEST: CMDesignHitTest(message); break;
    case CM_MOUSELEAVE: CMMouseLeave(message); break;
    case CM_ENABLEDCHANGED: case CM_PARENTCOLORCHANGED: case CM_COLORCHANGED: CMChanged(message); break;
    default: TCustomControl::Dispatch(message);
  }
}

// ---------------------------------------------------------------------------------------------
// Thumb images

void TRzTrackBar::LoadThumbImages() {
  if (thumbStyle_ == tsCustom) {
    LoadCustomThumb();
  } else {
    TThumbStyle family = thumbStyle_;
    if (FramedThemesEnabled() && family == tsBox) family = tsXPBox;
    if (FramedThemesEnabled() && family == tsPointer) family = tsXPPointer;
    const std::string name = ThumbResourceName(family, orientation_, pointerType_);
    std::vector<TColorMapEntry> map;
    if (family != tsXPBox && family != tsXPPointer) {
      TColor hot1 = hotTrackColor_, hot2 = hotTrackColor_, hot3 = MixColors(clWhite, hotTrackColor_, 190);
      if (hotTrackColorType_ == htctComplement) {
        const TColor c = OppositeHueColor(hotTrackColor_, 140);
        hot1 = DarkenColor(c, 15), hot2 = DarkenColor(c, 30), hot3 = c;
      }
      auto rgb = [](TColor c) { return ColorToRGB(c); };
      map = {{RGB(192, 192, 192), rgb(clBtnFace)},
             {RGB(128, 128, 128), rgb(clBtnShadow)},
             {RGB(128, 128, 0), rgb(cl3DDkShadow)},
             {RGB(255, 255, 0), rgb(cl3DLight)},
             {RGB(0, 128, 0), rgb(LightenColor(clBtnShadow, 30))},
             {RGB(0, 0, 255), rgb(highlightColor_) + 1},
             {RGB(0, 0, 128), rgb(DarkenColor(highlightColor_, 30))},
             {RGB(0, 255, 255), rgb(LightenColor(highlightColor_, 30))},
             {RGB(255, 0, 0), rgb(hot1)},
             {RGB(128, 0, 0), rgb(hot2)},
             {RGB(255, 0, 255), rgb(hot3)},
             {RGB(0, 128, 128), rgb(clBtnShadow)},
             {RGB(128, 0, 128), rgb(DarkenColor(clBtnShadow, 30))},
             {RGB(0, 255, 0), rgb(LightenColor(clBtnShadow, 30))}};
    }
    thumb_ = LoadThumbBitmap(name, map);
    hotThumb_ = LoadThumbBitmap(name + "_HOT", map);
    disabledThumb_ = LoadThumbBitmap(name + "_DISABLED", map);
    mask_ = LoadThumbBitmap(name + "_MASK", {});
  }
  const bool horizontal = orientation_ == orHorizontal;
  thumbLength_ = horizontal ? thumb_->Width() : thumb_->Height();
  thumbThickness_ = horizontal ? thumb_->Height() : thumb_->Width();
  halfThumb_ = thumbLength_ / 2;
  BackgroundChanged();
}

// A strip of three frames: the thumb (also hot), its mask, the disabled thumb. A strip narrower
// than three pixels gives empty frames and so an invisible thumb.
void TRzTrackBar::LoadCustomThumb() {
  const int width = customThumb_->Width() / 3;
  thumb_ = CopyFrame(customThumb_.get(), 0, width);
  hotThumb_ = CopyFrame(customThumb_.get(), 0, width);
  mask_ = CopyFrame(customThumb_.get(), 1, width);
  disabledThumb_ = CopyFrame(customThumb_.get(), 2, width);
}

void TRzTrackBar::SetCustomThumb(TBitmap* value) { customThumb_->Assign(value); }

void TRzTrackBar::CustomThumbChanged(TObject*) {
  thumbStyle_ = tsCustom;
  LoadThumbImages();
}

void TRzTrackBar::BackgroundChanged() {
  backgroundDirty_ = true;
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Geometry

int TRzTrackBar::Span() const {
  return (orientation_ == orHorizontal ? Width() : Height()) - thumbLength_ - 2 * EndInset;
}

TRect TRzTrackBar::TrackRect() const {
  const int start = halfThumb_ + EndInset, across = trackOffset_;
  if (orientation_ == orHorizontal)
    return {start, across, Width() - EndInset - halfThumb_, across + trackWidth_};
  return {across, start, across + trackWidth_, Height() - EndInset - halfThumb_};
}

TRect TRzTrackBar::ThumbRect() const {
  const bool pointer = thumbStyle_ == tsPointer || thumbStyle_ == tsXPPointer;
  const bool horizontal = orientation_ == orHorizontal;
  const int lift = pointer && !(horizontal && pointerType_ == ptWin95) ? 2 : 0;
  const int64_t along = static_cast<int64_t>(Span()) * (position_ - min_) / (max_ - min_) + EndInset;
  const int across = (trackWidth_ - thumbThickness_) / 2 + trackOffset_ - lift;
  if (horizontal) return Bounds(static_cast<int>(along), across, thumbLength_, thumbThickness_);
  const int bottom = Height() - static_cast<int>(along);
  return {across, bottom - thumbLength_, across + thumbThickness_, bottom};
}

int TRzTrackBar::PositionAtDragPoint(TPoint p) const {
  const TRect track = TrackRect();
  const bool horizontal = orientation_ == orHorizontal;
  const long double d = horizontal ? p.X - track.Left - grabOffset_.X : track.Bottom - p.Y + grabOffset_.Y;
  // A track narrower than its thumb has no length: any drag lands on one end.
  const long double length = std::max<long double>(horizontal ? track.Width() : track.Height(), 1);
  const long double value = std::nearbyint(d / length * (max_ - min_) + min_);
  return static_cast<int>(std::clamp<long double>(value, min_, max_));
}

bool TRzTrackBar::IsForwardPress(TPoint p) const {
  const long double range = max_ - min_, span = Span();
  if (orientation_ == orHorizontal) return p.X >= std::trunc((position_ - min_) * span / range) + EndInset;
  return p.Y < std::trunc((max_ - position_) * span / range) + EndInset;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TRzTrackBar::DrawTrack(TCanvas* canvas) {
  const TRect track = TrackRect();
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas->Brush()->SetColor(Enabled() ? trackColor_ : clBtnFace);
  canvas->FillRect(track);
  if (trackFrame_ == fsFlat) PaintSides(canvas, track, trackFrameColor_, sdAllSides, trackFrameColor_);
  else PaintFrameStyle(canvas, track, trackFrame_);
}

void TRzTrackBar::DrawTicks(TCanvas* canvas) {
  canvas->Pen()->SetColor(tickColor_);
  const double scale = static_cast<double>(Span()) / (max_ - min_);
  const bool pointer = thumbStyle_ == tsPointer || thumbStyle_ == tsXPPointer;
  const bool noTopTicks = thumbStyle_ == tsPointer && pointerType_ == ptWin95;
  const int step = std::max(tickStep_, 1);
  for (int64_t v = static_cast<int64_t>(FloorDiv(min_, step)) * step; v <= max_; v += step) {
    if (v < min_) continue;
    const int offset = static_cast<int>(std::trunc((v - min_) * scale));
    if (orientation_ == orHorizontal) {
      const int x = offset + EndInset + halfThumb_;
      if (tickStyle_ == tkOwnerDraw) {
        DoDrawTick(canvas, {x, 0}, static_cast<int>(v));
        continue;
      }
      if (!noTopTicks) canvas->MoveTo(x, EndInset), canvas->LineTo(x, 10);
      if (!pointer) canvas->MoveTo(x, Height() - 10), canvas->LineTo(x, Height() - EndInset);
    } else {
      const int y = Height() - thumbLength_ - offset - EndInset + halfThumb_;
      if (tickStyle_ == tkOwnerDraw) {
        DoDrawTick(canvas, {0, y}, static_cast<int>(v));
        continue;
      }
      canvas->MoveTo(EndInset, y), canvas->LineTo(10, y);
      if (!pointer) canvas->MoveTo(Width() - 10, y), canvas->LineTo(Width() - EndInset, y);
    }
  }
}

// The background with track and ticks, under the thumb wherever it goes.
void TRzTrackBar::RebuildBackground() {
  background_->SetSize(std::max(Width(), 1), std::max(Height(), 1));
  TCanvas* canvas = background_->Canvas();
  if (transparent_) {
    PaintBehindControl(this, canvas->Handle(), false);
  } else {
    canvas->Brush()->SetColor(Color());
    canvas->FillRect({0, 0, Width(), Height()});
  }
  DrawTrack(canvas);
  if (showTicks_) DrawTicks(canvas);
  backgroundDirty_ = false;
}

void TRzTrackBar::DrawThumb(TCanvas* canvas) { DrawThumbAt(canvas, ThumbRect()); }

void TRzTrackBar::DrawThumbAt(TCanvas* canvas, const TRect& newRect) {
  if (backgroundDirty_) RebuildBackground();
  HDC dc = canvas->Handle(), cache = background_->Canvas()->Handle();
  RECT uncovered;
  const RECT oldRect = thumbRect_, fresh = newRect;
  if (SubtractRect(&uncovered, &oldRect, &fresh))
    BitBlt(dc, uncovered.left, uncovered.top, uncovered.right - uncovered.left, uncovered.bottom - uncovered.top,
           cache, uncovered.left, uncovered.top, SRCCOPY);
  thumbRect_ = newRect;
  TBitmap* image = !Enabled() ? disabledThumb_.get()
                   : hotThumbShown_ && !ComponentState().Contains(csDesigning) ? hotThumb_.get()
                                                                               : thumb_.get();
  const int w = image->Width(), h = image->Height();
  if (w <= 0 || h <= 0) return;
  TBitmap work(w, h);
  HDC out = work.Canvas()->Handle();
  BitBlt(out, 0, 0, w, h, cache, newRect.Left, newRect.Top, SRCCOPY);
  BitBlt(out, 0, 0, w, h, mask_->Canvas()->Handle(), 0, 0, SRCAND);
  BitBlt(out, 0, 0, w, h, image->Canvas()->Handle(), 0, 0, SRCPAINT);
  BitBlt(dc, newRect.Left, newRect.Top, w, h, out, 0, 0, SRCCOPY);
}

// Composed off-screen: the cache (background, track, ticks) goes to the window in one copy, then
// the thumb. A transparent bar takes its parent's picture afresh each time.
void TRzTrackBar::Paint() {
  if (transparent_ || backgroundDirty_) RebuildBackground();
  TCanvas* canvas = Canvas();
  BitBlt(canvas->Handle(), 0, 0, Width(), Height(), background_->Canvas()->Handle(), 0, 0, SRCCOPY);
  if (showFocusRect_ && Focused()) {
    canvas->Brush()->SetColor(Color());
    canvas->DrawFocusRect(ClientRect());
  }
  thumbRect_ = {};
  DrawThumb(canvas);
}

void TRzTrackBar::WMEraseBkgnd(TMessage& m) { m.Result = 1; }

// ---------------------------------------------------------------------------------------------
// Values

bool TRzTrackBar::Reading() const { return ComponentState().Contains(csLoading); }

// What was read is applied without events: the form's handlers may not be ready yet.
void TRzTrackBar::Loaded() {
  TCustomControl::Loaded();
  const int max = loadedMax_.value_or(max_), min = loadedMin_.value_or(min_);
  if (min < max) {
    min_ = min;
    max_ = max;
  } else {
    SetMax(max);
    SetMin(min);
  }
  position_ = std::clamp(loadedPosition_.value_or(position_), min_, max_);
  loadedMax_.reset(), loadedMin_.reset(), loadedPosition_.reset();
  BackgroundChanged();
}

void TRzTrackBar::SetPosition(int value) {
  if (Reading()) return void(loadedPosition_ = value);
  if (value == position_) return;
  const int clamped = std::clamp(value, min_, max_);
  if (clamped == position_ || !DoChanging(clamped)) return;
  position_ = clamped;
  if (!backgroundDirty_ && HandleAllocated() && Showing()) DrawThumb(Canvas());
  DoChange();
  NotifyDesignerModified(this);
}

void TRzTrackBar::SetMax(int value) {
  if (Reading()) return void(loadedMax_ = value);
  if (value == max_) return;
  max_ = value <= min_ ? min_ + 1 : value;
  position_ = std::min(position_, max_);
  BackgroundChanged();
}

void TRzTrackBar::SetMin(int value) {
  if (Reading()) return void(loadedMin_ = value);
  if (value == min_) return;
  min_ = value >= max_ ? max_ - 1 : value;
  position_ = std::max(position_, min_);
  BackgroundChanged();
}

void TRzTrackBar::MoveTo(int value) {
  if (CanSetPosition(value)) SetPosition(value);
}

void TRzTrackBar::DoChange() {
  if (OnChange) OnChange(this);
}

bool TRzTrackBar::DoChanging(int newPosition) {
  bool allow = true;
  if (OnChanging) OnChanging(this, newPosition, allow);
  return allow;
}

void TRzTrackBar::DoDrawTick(TCanvas* canvas, TPoint location, int index) {
  if (OnDrawTick) OnDrawTick(this, canvas, location, index);
}

void TRzTrackBar::SetOrientation(TOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  LoadThumbImages();
}

void TRzTrackBar::SetThumbStyle(TThumbStyle value) {
  if (value == thumbStyle_) return;
  thumbStyle_ = value;
  if (!ComponentState().Contains(csLoading)) trackWidth_ = value == tsMixer || value == tsFlat ? 6 : 8;
  LoadThumbImages();
}

void TRzTrackBar::SetPointerType(TPointerType value) {
  if (value == pointerType_) return;
  pointerType_ = value;
  LoadThumbImages();
}

void TRzTrackBar::SetHighlightColor(TColor value) {
  if (value == highlightColor_) return;
  highlightColor_ = value;
  LoadThumbImages();
}

void TRzTrackBar::SetHotTrackColor(TColor value) {
  if (value == hotTrackColor_) return;
  hotTrackColor_ = value;
  LoadThumbImages();
}

void TRzTrackBar::SetHotTrackColorType(TRzHotTrackColorType value) {
  if (value == hotTrackColorType_) return;
  hotTrackColorType_ = value;
  LoadThumbImages();
}

void TRzTrackBar::SetShowTicks(bool value) { if (StoreChanged(showTicks_, value)) BackgroundChanged(); }
void TRzTrackBar::SetTickColor(TColor value) { if (StoreChanged(tickColor_, value)) BackgroundChanged(); }
void TRzTrackBar::SetTickStep(int value) { if (StoreChanged(tickStep_, std::max(value, 1))) BackgroundChanged(); }
void TRzTrackBar::SetTickStyle(TTickStyle value) { if (StoreChanged(tickStyle_, value)) BackgroundChanged(); }
void TRzTrackBar::SetTrackColor(TColor value) { if (StoreChanged(trackColor_, value)) BackgroundChanged(); }
void TRzTrackBar::SetTrackOffset(uint16_t value) { if (StoreChanged(trackOffset_, value)) BackgroundChanged(); }
void TRzTrackBar::SetTrackFrame(TFrameStyle value) { if (StoreChanged(trackFrame_, value)) BackgroundChanged(); }
void TRzTrackBar::SetTrackFrameColor(TColor value) { if (StoreChanged(trackFrameColor_, value)) BackgroundChanged(); }
void TRzTrackBar::SetTrackWidth(uint16_t value) {
  if (StoreChanged(trackWidth_, std::max<uint16_t>(value, 4))) BackgroundChanged();
}
void TRzTrackBar::SetTransparent(bool value) { if (StoreChanged(transparent_, value)) BackgroundChanged(); }
void TRzTrackBar::SetShowFocusRect(bool value) { if (StoreChanged(showFocusRect_, value)) Invalidate(); }

// ---------------------------------------------------------------------------------------------
// Keyboard

void TRzTrackBar::KeyDown(Word& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  const bool vertical = orientation_ == orVertical;
  switch (key) {
    case VK_PRIOR: MoveTo(position_ + pageSize_); break;
    case VK_NEXT: MoveTo(position_ - pageSize_); break;
    case VK_END: MoveTo(vertical ? min_ : max_); break;
    case VK_HOME: MoveTo(vertical ? max_ : min_); break;
    case VK_LEFT: case VK_DOWN: case VK_SUBTRACT:
      if (position_ > min_) MoveTo(position_ - 1);
      break;
    case VK_UP: case VK_RIGHT: case VK_ADD:
      if (position_ < max_) MoveTo(position_ + 1);
      break;
    case VK_RETURN:
      if (!tabOnEnter_) break;
      key = 0;
      PostMessageA(Handle(), WM_KEYDOWN, VK_TAB, 0);
      break;
  }
}

void TRzTrackBar::KeyPress(char& key) {
  if (tabOnEnter_ && key == '\r') key = 0;
  TCustomControl::KeyPress(key);
}

void TRzTrackBar::WMFocusChanged(TMessage& m) {
  TCustomControl::Dispatch(m);
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TRzTrackBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (!ComponentState().Contains(csDesigning) && CanFocus()) SetFocus();
  if (button != mbLeft) return;
  const TPoint p{x, y};
  if (ThumbRect().Contains(p)) {
    EndPaging();
    SetMouseCapture(true);
    dragging_ = true;
    const TRect thumb = ThumbRect();
    grabOffset_ = {x - (thumb.Left + thumb.Right) / 2, y - (thumb.Top + thumb.Bottom) / 2};
  } else if (TrackRect().Contains(p)) {
    lastPress_ = p;
    repeatTimer_->SetInterval(firstRepeatDelay);
    repeatTimer_->SetEnabled(true);
    PressTrack(p);
  }
}

// The first press of a paging sequence fixes its direction; once the thumb has passed the
// pointer, a press the other way ends the sequence.
void TRzTrackBar::PressTrack(TPoint p) {
  const bool forward = IsForwardPress(p);
  if (!paging_) {
    paging_ = true;
    pagingForward_ = forward;
  }
  if (forward != pagingForward_) return EndPaging();
  MoveTo(forward ? position_ + pageSize_ : position_ - pageSize_);
}

void TRzTrackBar::EndPaging() {
  paging_ = false;
  repeatTimer_->SetEnabled(false);
  repeatTimer_->SetInterval(firstRepeatDelay);
}

void TRzTrackBar::RepeatTimerTick(TObject*) {
  repeatTimer_->SetInterval(repeatDelay);
  try {
    if (paging_ && MouseCapture()) PressTrack(lastPress_);
  } catch (...) {
    EndPaging();
    throw;
  }
}

void TRzTrackBar::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (dragging_) MoveTo(PositionAtDragPoint({x, y}));
  else SetHotThumb(ThumbRect().Contains({x, y}));
}

void TRzTrackBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  EndPaging();
  if (button == mbLeft && dragging_) {
    dragging_ = false;
    SetMouseCapture(false);
    SetHotThumb(false);
  }
  TCustomControl::MouseUp(button, shift, x, y);
}

void TRzTrackBar::SetHotThumb(bool value) {
  if (value == hotThumbShown_) return;
  hotThumbShown_ = value;
  if (HandleAllocated() && Showing()) DrawThumb(Canvas());
}

void TRzTrackBar::WMSetCursor(TMessage& m) {
  POINT p;
  GetCursorPos(&p);
  HCURSOR slide = orientation_ == orHorizontal ? horizontalCursor_ : verticalCursor_;
  if (slide && ThumbRect().Contains(ScreenToClient(p))) {
    ::SetCursor(slide);
    m.Result = 1;
    return;
  }
  TCustomControl::Dispatch(m);
}

void TRzTrackBar::CMDesignHitTest(TMessage& m) {
  POINT p;
  GetCursorPos(&p);
  m.Result = dragging_ || ThumbRect().Contains(ScreenToClient(p));
}

void TRzTrackBar::CMMouseLeave(TMessage& m) {
  TCustomControl::Dispatch(m);
  if (!dragging_) SetHotThumb(false);
}

void TRzTrackBar::CMChanged(TMessage& m) {
  TCustomControl::Dispatch(m);
  BackgroundChanged();
}

void TRzTrackBar::WMSize(TMessage& m) {
  TCustomControl::Dispatch(m);
  SetOrientation(Width() < Height() ? orVertical : orHorizontal);
  BackgroundChanged();
}

// ---------------------------------------------------------------------------------------------
namespace {
constinit const TPropInfo trackBarProps[] = {
    Published<&TRzTrackBar::CustomThumb, &TRzTrackBar::SetCustomThumb>("CustomThumb"),
    Published<&TRzTrackBar::HighlightColor, &TRzTrackBar::SetHighlightColor>("HighlightColor").WithDefault(clHighlight),
    Published<&TRzTrackBar::HotTrackColor, &TRzTrackBar::SetHotTrackColor>("HotTrackColor").WithDefault(0x149BF0),
    Published<&TRzTrackBar::HotTrackColorType, &TRzTrackBar::SetHotTrackColorType>("HotTrackColorType",
                                                                                   &HotTrackColorTypeInfo)
        .WithDefault(htctActual),
    Published<&TRzTrackBar::Max, &TRzTrackBar::SetMax>("Max").WithDefault(10),
    Published<&TRzTrackBar::Min, &TRzTrackBar::SetMin>("Min").WithDefault(0),
    Published<&TRzTrackBar::Orientation, &TRzTrackBar::SetOrientation>("Orientation", &OrientationInfo)
        .WithDefault(orHorizontal),
    Published<&TRzTrackBar::PageSize, &TRzTrackBar::SetPageSize>("PageSize").WithDefault(1),
    Published<&TRzTrackBar::PointerType, &TRzTrackBar::SetPointerType>("PointerType", &PointerTypeInfo)
        .WithDefault(ptStandard),
    Published<&TRzTrackBar::Position, &TRzTrackBar::SetPosition>("Position"),
    Published<&TRzTrackBar::ShowFocusRect, &TRzTrackBar::SetShowFocusRect>("ShowFocusRect").WithDefault(true),
    Published<&TRzTrackBar::ShowTicks, &TRzTrackBar::SetShowTicks>("ShowTicks").WithDefault(true),
    Published<&TRzTrackBar::TabOnEnter, &TRzTrackBar::SetTabOnEnter>("TabOnEnter").WithDefault(false),
    Published<&TRzTrackBar::ThumbStyle, &TRzTrackBar::SetThumbStyle>("ThumbStyle", &ThumbStyleInfo)
        .WithDefault(tsPointer),
    Published<&TRzTrackBar::TickColor, &TRzTrackBar::SetTickColor>("TickColor").WithDefault(clBtnShadow),
    Published<&TRzTrackBar::TickStep, &TRzTrackBar::SetTickStep>("TickStep").WithDefault(1),
    Published<&TRzTrackBar::TickStyle, &TRzTrackBar::SetTickStyle>("TickStyle", &TickStyleInfo).WithDefault(tkStandard),
    Published<&TRzTrackBar::TrackColor, &TRzTrackBar::SetTrackColor>("TrackColor").WithDefault(cl3DLight),
    Published<&TRzTrackBar::TrackOffset, &TRzTrackBar::SetTrackOffset>("TrackOffset").WithDefault(20),
    Published<&TRzTrackBar::TrackFrame, &TRzTrackBar::SetTrackFrame>("TrackFrame", &FrameStyleInfo)
        .WithDefault(fsStatus),
    Published<&TRzTrackBar::TrackFrameColor, &TRzTrackBar::SetTrackFrameColor>("TrackFrameColor")
        .WithDefault(clBtnShadow),
    Published<&TRzTrackBar::TrackWidth, &TRzTrackBar::SetTrackWidth>("TrackWidth").WithDefault(8),
    Published<&TRzTrackBar::Transparent, &TRzTrackBar::SetTransparent>("Transparent").WithDefault(false),
    PublishedEvent<&TRzTrackBar::OnChange>("OnChange"),
    PublishedEvent<&TRzTrackBar::OnChanging>("OnChanging"),
    PublishedEvent<&TRzTrackBar::OnDrawTick>("OnDrawTick"),
};
}  // namespace

void RegisterTrackBarClasses() {
  RegisterPublishedProperties(TRzTrackBar::StaticClass(), trackBarProps);
  RegisterClasses({TRzTrackBar::StaticClass()});
}
