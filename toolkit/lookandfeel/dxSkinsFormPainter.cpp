// Painting of a skinned window's non-client area and client background from the skin's elements,
// through element caches so that an unchanged side or button is not rendered again.
#include "dxSkinsForm.h"

CALDERAN_IMPLEMENT_CLASS(TdxSkinFormPainter, TObject)

namespace {

// A memory device context with a bitmap compatible with another context, for one off-screen picture.
class TOffscreen {
 public:
  TOffscreen(HDC compatible, int width, int height)
      : dc_(CreateCompatibleDC(compatible)), bitmap_(CreateCompatibleBitmap(compatible, width, height)) {
    old_ = SelectObject(dc_, bitmap_);
  }
  ~TOffscreen() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  TOffscreen(const TOffscreen&) = delete;
  TOffscreen& operator=(const TOffscreen&) = delete;
  HDC DC() const { return dc_; }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

constexpr UINT CaptionTextFlags = DT_VCENTER | DT_SINGLELINE | DT_EDITCONTROL | DT_END_ELLIPSIS;

bool Visible(HDC dc, const TRect& rect) {
  RECT r = *rect.Win();
  return RectVisible(dc, &r) != FALSE;
}

}  // namespace

TdxSkinFormPainter::TdxSkinFormPainter(TdxSkinFormNonClientAreaInfo* info)
    : canvas_(std::make_unique<TCanvas>()), cxCanvas_(std::make_unique<TcxCanvas>(canvas_.get())), info_(info) {}

TdxSkinFormPainter::~TdxSkinFormPainter() { EndPaint(); }

void TdxSkinFormPainter::BeginPaint(HDC dc) {
  painter_ = info_->Painter();
  skinInfo_ = info_->SkinInfo();
  ownDC_ = dc == nullptr;
  dc_ = ownDC_ ? GetDCEx(info_->Handle(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | 0x00200000 /* DCX_VALIDATE */)
               : dc;
  canvas_->SetHandle(dc_);
}

void TdxSkinFormPainter::EndPaint() {
  canvas_->SetHandle(nullptr);
  if (ownDC_ && dc_) ReleaseDC(info_->Handle(), dc_);
  dc_ = nullptr;
  ownDC_ = false;
}

TdxSkinElementState TdxSkinFormPainter::FrameState() const { return info_->Active() ? esActive : esActiveDisabled; }

void TdxSkinFormPainter::PaintClientBackground() {
  if (!skinInfo_ || !dc_) return;
  const TRect& client = info_->ClientBounds();
  PaintFormContent(dc_, TRect(0, 0, client.Width(), client.Height()));
}

void TdxSkinFormPainter::PaintFormContent(HDC dc, const TRect& rect) {
  if (skinInfo_ && skinInfo_->Element(seFormContent)) skinInfo_->Element(seFormContent)->Draw(dc, rect);
}

void TdxSkinFormPainter::PaintNonClientArea() {
  if (!dc_ || !skinInfo_) return;
  PaintCaptionArea();
  PaintFrameSides();
  if (info_->HasMenuBar()) {
    const TRect& menu = info_->MenuBarRect();
    RECT line = {menu.Left, menu.Bottom - 1, menu.Right, menu.Bottom};
    FillRect(dc_, &line, GetSysColorBrush(COLOR_MENU));
  }
  if (!info_->ScrollBars().Empty() && !info_->IsMinimized()) PaintScrollBars(dc_);
}

// Composed off screen and copied once, so the caption never flickers between background and text.
void TdxSkinFormPainter::PaintCaptionArea() {
  const TRect& caption = info_->FrameRect(1);
  if (caption.IsEmpty()) return;
  TOffscreen buffer(dc_, caption.Right, caption.Bottom);
  // Under the caption the form's content, where a caption picture leaves pixels translucent.
  PaintFormContent(buffer.DC(), TRect(0, 0, caption.Right, caption.Bottom));
  PaintCaption(buffer.DC(), caption, skinInfo_->FormFrames[info_->Row()][1]);
  BitBlt(dc_, 0, 0, caption.Right, caption.Bottom, buffer.DC(), 0, 0, SRCCOPY);
}

bool TdxSkinFormPainter::IsBuffered() const {
  TCustomForm* form = info_->Controller()->Form();
  if (!form) return false;
  if (form->AlphaBlend()) return true;
  if (form->FormStyle() != fsMDIChild) return false;
  HWND client = GetParent(info_->Handle());
  auto* frame = client ? ObjectAs<TCustomForm>(FindControl(GetParent(client))) : nullptr;
  return frame && frame->AlphaBlend();
}

void TdxSkinFormPainter::PaintFrameSides() {
  TdxSkinElement* const* frames = skinInfo_->FormFrames[info_->Row()];
  auto width = [](TdxSkinElement* e) { return e ? static_cast<int>(e->Image()->Size().cx) : 0; };
  auto height = [](TdxSkinElement* e) { return e ? static_cast<int>(e->Image()->Size().cy) : 0; };
  const TRect& widths = info_->FrameWidths();
  const bool extended =
      width(frames[0]) < widths.Left || width(frames[2]) < widths.Right || height(frames[3]) < widths.Bottom;
  const int sidesTop = info_->FrameRect(1).Bottom;
  if (extended) {
    if (!info_->FrameRect(3).IsEmpty()) PaintFramePart(info_->FrameRect(3), 3, true);
    const int sidesBottom = info_->WindowBounds().Height() - height(frames[3]);
    for (int side : {0, 2}) {
      TRect r = info_->FrameRect(side);
      r.Top = sidesTop;
      r.Bottom = sidesBottom;
      if (!r.IsEmpty() && Visible(dc_, r)) PaintFramePart(r, side, true);
    }
    return;
  }
  const bool buffered = IsBuffered();
  for (int side : {0, 2, 3}) {
    TRect r = info_->FrameRect(side);
    if (side != 3) {
      r.Top = sidesTop;
      r.Bottom = info_->FrameRect(3).Top;
    }
    if (!r.IsEmpty() && Visible(dc_, r)) PaintFramePart(r, side, buffered);
  }
}

// Buffered: over the form's content first, so a translucent frame pixel never shows what lies
// behind an alpha-blended window.
void TdxSkinFormPainter::PaintFramePart(const TRect& rect, int side, bool buffered) {
  TdxSkinElement* element = skinInfo_->FormFrames[info_->Row()][side];
  if (!element) return;
  TdxSkinElementCache& cache = frameCaches_[side];
  cache.Prepare(element, rect, FrameState());
  if (!buffered) return cache.DrawCache(dc_, rect);
  TOffscreen buffer(dc_, rect.Width(), rect.Height());
  const TRect local(0, 0, rect.Width(), rect.Height());
  if (TdxSkinElement* content = skinInfo_->Element(seFormContent)) content->Draw(buffer.DC(), local, 0, FrameState());
  cache.DrawCache(buffer.DC(), local);
  BitBlt(dc_, rect.Left, rect.Top, rect.Width(), rect.Height(), buffer.DC(), 0, 0, SRCCOPY);
}

void TdxSkinFormPainter::PaintCaption(HDC dc, const TRect& rect, TdxSkinElement* element) {
  if (element) {
    frameCaches_[1].Prepare(element, rect, FrameState());
    frameCaches_[1].DrawCache(dc, rect);
  }
  for (int kind = 0; kind < 6; ++kind) {
    const auto k = TdxCaptionButtonKind(kind);
    if (info_->Buttons().Contains(k))
      PaintCaptionButton(dc, info_->ButtonRect(k), skinInfo_->FormCaptionButtons[info_->Row()][kind], k);
  }
  PaintCaptionText(dc);
}

// The shadow lies one pixel right of and below the text, for an active window that is not a tool
// window and a skin that gives a shadow colour.
void TdxSkinFormPainter::PaintCaptionText(HDC dc) {
  const std::string text = info_->CaptionText();
  if (text.empty()) return;
  const int savedMode = SetBkMode(dc, TRANSPARENT);
  HGDIOBJ savedFont = SelectObject(dc, info_->CaptionFont()->Handle());
  const COLORREF savedColor = GetTextColor(dc);
  RECT r = *info_->TextRect().Win();
  if (info_->Active() && !info_->IsToolWindow() && info_->ShadowColor() != clDefault) {
    SetTextColor(dc, ColorToRGB(info_->ShadowColor()));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, CaptionTextFlags);
  }
  if (info_->Active() && !info_->IsToolWindow()) OffsetRect(&r, -1, -1);
  SetTextColor(dc, ColorToRGB(info_->CaptionTextColor(info_->Active())));
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, CaptionTextFlags);
  SetTextColor(dc, savedColor);
  SelectObject(dc, savedFont);
  SetBkMode(dc, savedMode);
}

void TdxSkinFormPainter::PaintCaptionButton(HDC dc, const TRect& rect, TdxSkinElement* element,
                                            TdxCaptionButtonKind kind) {
  if ((kind == cbIcon && !info_->Icon()) || (kind != cbIcon && !element) || !Visible(dc, rect)) return;
  if (kind == cbIcon) {
    DrawIconEx(dc, rect.Left, rect.Top, info_->Icon(), rect.Width(), rect.Height(), 0, nullptr, DI_NORMAL);
    return;
  }
  buttonCaches_[kind].Prepare(element, rect, info_->ButtonState(kind));
  buttonCaches_[kind].DrawCache(dc, rect);
}

void TdxSkinFormPainter::PaintScrollBars(HDC dc) {
  const TdxScrollBars bars = info_->ScrollBars();
  for (int bar = 0; bar < 2; ++bar) {
    if (!bars.Contains(TdxScrollBarKindSet(bar))) continue;
    const TRect& r = info_->ScrollBarRect(bar);
    TOffscreen buffer(dc, r.Width(), r.Height());
    POINT old;
    SetWindowOrgEx(buffer.DC(), r.Left, r.Top, &old);
    PaintScrollBar(buffer.DC(), bar, r);
    SetWindowOrgEx(buffer.DC(), old.x, old.y, nullptr);
    BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), buffer.DC(), 0, 0, SRCCOPY);
  }
  if (bars.Contains(sbkSizeBox)) {
    const TRect& r = info_->ScrollBarRect(2);
    PaintFormContent(dc, r);
    HDC saved = cxCanvas_->Canvas()->HandleAllocated() ? cxCanvas_->GetHandle() : nullptr;
    canvas_->SetHandle(dc);
    painter_->PaintSizeGrip(cxCanvas_.get(), r, clNone);
    canvas_->SetHandle(saved);
  }
}

void TdxSkinFormPainter::PaintScrollBar(HDC dc, int bar, const TRect& rect) {
  PaintFormContent(dc, rect);
  HDC saved = canvas_->HandleAllocated() ? canvas_->Handle() : nullptr;
  canvas_->SetHandle(dc);
  for (int part = 1; part <= 5; ++part) {
    const TcxButtonState state = info_->ScrollPartState(bar, part);
    if (state != cxbsDefault)
      painter_->PaintScrollBarPart(cxCanvas_.get(), bar == 0, info_->ScrollPartRect(bar, part),
                                   TcxScrollBarPart(part), state);
  }
  canvas_->SetHandle(saved);
}
