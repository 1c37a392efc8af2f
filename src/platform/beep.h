#pragma once
// The information beep (BEL, an overlong escape sequence, refused operations).

namespace ondrix::platform {

class Beeper {
 public:
  virtual ~Beeper() = default;
  virtual void beep() = 0;
};

// Headless beeper: counts the beeps, makes no sound.
class CountingBeeper final : public Beeper {
 public:
  void beep() override { ++count_; }
  int count() const { return count_; }

 private:
  int count_ = 0;
};

}  // namespace ondrix::platform
