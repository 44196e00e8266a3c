// Scopes the editor control's files share: a flag or counter held for the length of a step and
// given back when the step ends, also when a handler raises.
#pragma once

namespace cx_edit_detail {

class TFlagScope {
 public:
  TFlagScope(bool& flag, bool value) : flag_(flag), old_(flag) { flag_ = value; }
  ~TFlagScope() { flag_ = old_; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& flag_;
  bool old_;
};

class TCountScope {
 public:
  explicit TCountScope(int& count) : count_(count) { ++count_; }
  ~TCountScope() { --count_; }
  TCountScope(const TCountScope&) = delete;
  TCountScope& operator=(const TCountScope&) = delete;

 private:
  int& count_;
};

// Locks an editor's change events and unlocks them with firing. Editor is any class with the
// editor's LockChangeEvents (templated: this header needs no editor declarations).
template <class Editor> class TChangeEventsScope {
 public:
  explicit TChangeEventsScope(Editor* editor) : editor_(editor) { editor_->LockChangeEvents(true); }
  ~TChangeEventsScope() { editor_->LockChangeEvents(false, true); }
  TChangeEventsScope(const TChangeEventsScope&) = delete;
  TChangeEventsScope& operator=(const TChangeEventsScope&) = delete;

 private:
  Editor* editor_;
};

// Holds an editor's click lock.
template <class Editor> class TClickLockScope {
 public:
  explicit TClickLockScope(Editor* editor) : editor_(editor) { editor_->LockClick(true); }
  ~TClickLockScope() { editor_->LockClick(false); }
  TClickLockScope(const TClickLockScope&) = delete;
  TClickLockScope& operator=(const TClickLockScope&) = delete;

 private:
  Editor* editor_;
};

}  // namespace cx_edit_detail
