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

}  // namespace cx_edit_detail
