#include "dxFading.h"

#include <algorithm>

#include "cxGraphicsRoutines.h"

CALDERAN_IMPLEMENT_CLASS(TdxFadingElement, TObject)
CALDERAN_IMPLEMENT_CLASS(TdxFadingList, TList)
CALDERAN_IMPLEMENT_CLASS(TdxFader, TObject)

namespace {
int ClampFrameCount(int count) {
  if (count < 0) return dxFadingDefaultFrameCount;
  return std::min(count, dxFadingMaxFrameCount);
}

int ClampInterval(int interval) {
  if (interval < dxFadingMinInterval) return dxFadingDefaultInterval;
  return std::min(interval, dxFadingMaxInterval);
}

// The alpha steps of one frame.
int AlphaStep(int frameCount) { return 256 / frameCount; }
}  // namespace

// ---------------------------------------------------------------------------------------------
TdxFadingElement::TdxFadingElement(TdxFadingList* list, TdxFadingDirection direction, TObject* object)
    : fadingObject_(dynamic_cast<IdxFadingObject*>(object)), object_(object), list_(list), direction_(direction) {
  fadingObject_->GetFadingParams(normalImage_, hotImage_, fadeInFrameCount_, fadeInInterval_, fadeOutFrameCount_,
                                 fadeOutInterval_);
  ValidateParams();
  // The interval of a fade in, whatever the direction: a fade out keeps it until it turns.
  timer_ = new TTimer(nullptr);
  timer_->SetInterval(fadeInInterval_);
  timer_->SetOnTimer(MakeEvent(this, &TdxFadingElement::TimerHandler));
}

TdxFadingElement::~TdxFadingElement() {
  delete timer_;
  if (!list_->IsClearing()) list_->Remove(this);
  fadingObject_ = nullptr;
  delete normalImage_;
  delete hotImage_;
}

void TdxFadingElement::ValidateParams() {
  fadeInFrameCount_ = ClampFrameCount(fadeInFrameCount_);
  fadeOutFrameCount_ = ClampFrameCount(fadeOutFrameCount_);
  fadeInInterval_ = ClampInterval(fadeInInterval_);
  fadeOutInterval_ = ClampInterval(fadeOutInterval_);
}

int TdxFadingElement::FrameCount(TdxFadingDirection direction) const {
  return direction == fdIn ? fadeInFrameCount_ : fadeOutFrameCount_;
}

int TdxFadingElement::Interval(TdxFadingDirection direction) const {
  return direction == fdIn ? fadeInInterval_ : fadeOutInterval_;
}

int TdxFadingElement::GetAlpha() const {
  const int n = FrameCount(direction_);
  if (direction_ == fdIn) return step_ < n ? std::min(255, AlphaStep(n) * step_) : 255;
  return step_ < n ? std::max(0, 255 - AlphaStep(n) * step_) : 0;
}

void TdxFadingElement::Finish() {
  fadingObject_->DrawFadeImage(direction_ == fdIn ? hotImage_ : normalImage_);
  delete this;
}

// The new direction goes on from the alpha on the screen: its step is the last one whose alpha
// has not passed it, so the next frame moves on from there.
void TdxFadingElement::SetDirection(TdxFadingDirection value) {
  if (value == direction_) return;
  const int alpha = GetAlpha();
  const int n = FrameCount(value);
  const int remaining = value == fdIn ? alpha : 255 - alpha;
  step_ = n == 0 ? 0 : std::min(n, remaining / AlphaStep(n));
  direction_ = value;
  timer_->SetEnabled(false);
  timer_->SetInterval(Interval(value));
  timer_->SetEnabled(true);
}

void TdxFadingElement::TimerHandler(TObject*) {
  if (step_ >= FrameCount(direction_)) return Finish();
  ++step_;
  DrawFrame();
}

void TdxFadingElement::DrawFrame() {
  TBitmap frame(normalImage_->Width(), normalImage_->Height());
  BlendBitmaps(&frame, normalImage_, hotImage_, static_cast<Byte>(GetAlpha()));
  fadingObject_->DrawFadeImage(&frame);
}

// ---------------------------------------------------------------------------------------------
TdxFadingList::~TdxFadingList() { Clear(); }

void TdxFadingList::Clear() {
  clearing_ = true;
  for (int i = 0; i < Count(); ++i) delete Element(i);
  clearing_ = false;
  TList::Clear();
}

// ---------------------------------------------------------------------------------------------
TdxFader::TdxFader() : list_(new TdxFadingList) {}

TdxFader::~TdxFader() {
  Clear();
  delete list_;
}

TdxFadingElement* TdxFader::Find(TObject* object) const {
  for (int i = 0; i < list_->Count(); ++i) {
    if (list_->Element(i)->Object() == object) return list_->Element(i);
  }
  return nullptr;
}

void TdxFader::Fade(TObject* object, TdxFadingDirection direction) {
  auto* fadingObject = dynamic_cast<IdxFadingObject*>(object);
  if (!fadingObject || !fadingObject->CanFade()) return;
  if (TdxFadingElement* element = Find(object)) return element->SetDirection(direction);
  list_->Add(new TdxFadingElement(list_, direction, object));
  while (list_->Count() > maxAnimationCount_) list_->Element(0)->Finish();
}

void TdxFader::Remove(TObject* object, bool destroy) {
  TdxFadingElement* element = Find(object);
  if (!element) return;
  if (destroy) delete element;
  else element->Finish();
}

void TdxFader::Clear() {
  while (list_->Count() > 0) list_->Element(0)->Finish();
}
