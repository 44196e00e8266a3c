// Fading: an element that changes between its normal and its hot look blends the two images over a
// few frames instead of switching at once. A fader runs the animations of one owner, one element
// per object, each on a timer of its own, at most six at a time (a seventh finishes the oldest).
//
// Mended: a fade that changes direction goes on from the alpha that is on the screen, so the
// picture never jumps (converting the step as if the alpha counted the other way made a fade in
// at 170 continue its fade out at 79, a visible flicker).
#pragma once
#include "Classes.h"
#include "ExtCtrls.h"
#include "Graphics.h"

// What an element answers to take part in fading.
class IdxFadingObject {
 public:
  virtual bool CanFade() = 0;
  // Draws one frame (or the final image) where the element is.
  virtual void DrawFadeImage(TBitmap* image) = 0;
  // Makes the two images (the fading element frees them) and may change the four numbers, which
  // come in holding the defaults.
  virtual void GetFadingParams(TBitmap*& normalImage, TBitmap*& hotImage, int& fadeInFrameCount,
                               int& fadeInInterval, int& fadeOutFrameCount, int& fadeOutInterval) = 0;

 protected:
  ~IdxFadingObject() = default;
};

enum TdxFadingDirection : Byte { fdIn, fdOut };

constexpr int dxFadingDefaultFrameCount = 12, dxFadingMaxFrameCount = 32;
constexpr int dxFadingDefaultInterval = 20, dxFadingMinInterval = 10, dxFadingMaxInterval = 300;
constexpr int dxFadingMaxAnimationCount = 6;

class TdxFadingList;

// One running animation.
class TdxFadingElement : public TObject {
  CALDERAN_CLASS(TdxFadingElement)
  TdxFadingElement(TdxFadingList* list, TdxFadingDirection direction, TObject* object);
  ~TdxFadingElement() override;

  // Draws the final image and frees the element.
  void Finish();
  void SetDirection(TdxFadingDirection value);
  // The hot image's alpha of the current frame.
  int GetAlpha() const;
  // One timer tick (the element's timer calls it; tests call it as a tick).
  void TimerHandler(TObject* sender);

  TObject* Object() const { return object_; }
  TdxFadingDirection Direction() const { return direction_; }
  int Step() const { return step_; }
  int FrameCount(TdxFadingDirection direction) const;
  int Interval(TdxFadingDirection direction) const;
  TTimer* Timer() const { return timer_; }
  TBitmap* NormalImage() const { return normalImage_; }
  TBitmap* HotImage() const { return hotImage_; }

 private:
  void ValidateParams();
  void DrawFrame();

  TTimer* timer_ = nullptr;
  TBitmap* normalImage_ = nullptr;
  TBitmap* hotImage_ = nullptr;
  IdxFadingObject* fadingObject_ = nullptr;
  TObject* object_ = nullptr;
  TdxFadingList* list_ = nullptr;
  int step_ = 0;
  int fadeInFrameCount_ = dxFadingDefaultFrameCount, fadeInInterval_ = dxFadingDefaultInterval;
  int fadeOutFrameCount_ = dxFadingDefaultFrameCount, fadeOutInterval_ = dxFadingDefaultInterval;
  TdxFadingDirection direction_ = fdIn;
};

class TdxFadingList : public TList {
  CALDERAN_CLASS(TdxFadingList)
  TdxFadingList() = default;
  ~TdxFadingList() override;
  // Frees every element at once (nothing more is drawn).
  void Clear() override;
  bool IsClearing() const { return clearing_; }
  TdxFadingElement* Element(int index) const { return static_cast<TdxFadingElement*>(Get(index)); }

 private:
  bool clearing_ = false;
};

class TdxFader : public TObject {
  CALDERAN_CLASS(TdxFader)
  TdxFader();
  ~TdxFader() override;

  void FadeIn(TObject* object) { Fade(object, fdIn); }
  void FadeOut(TObject* object) { Fade(object, fdOut); }
  void Fade(TObject* object, TdxFadingDirection direction);
  // Destroy: freed without drawing anything more; otherwise finished (its final image drawn).
  void Remove(TObject* object, bool destroy);
  // Finishes every element, the oldest first.
  void Clear();
  TdxFadingElement* Find(TObject* object) const;
  int Count() const { return list_->Count(); }
  TdxFadingElement* Element(int index) const { return list_->Element(index); }
  int MaxAnimationCount() const { return maxAnimationCount_; }

 private:
  TdxFadingList* list_;
  int maxAnimationCount_ = dxFadingMaxAnimationCount;
};
