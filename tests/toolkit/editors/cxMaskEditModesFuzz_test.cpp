// Random keystrokes, caret moves and selections in the three modes (fixed seed): every key answers,
// the text a regular-expression mode leaves is always the beginning of a text its mask matches and
// keeps the forced beginning, and a standard mode's text always has one character per position.
#include "calderan_test.h"

#include <cstdint>
#include <string>

#include "masks_fixture.h"
#include "mask_edit_host.h"

namespace {

class TKeyRandom {
 public:
  explicit TKeyRandom(uint64_t seed) : state_(seed) {}
  int Below(int n) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<int>((state_ >> 33) % static_cast<uint64_t>(n));
  }

 private:
  uint64_t state_;
};

void PressRandomKey(TMaskEditHost& host, TKeyRandom& random) {
  static const uint16_t keys[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DELETE};
  static const std::string typed = "0123456789abcXYZ-/:.@ \b";
  const int length = static_cast<int>(host.CurrentText().size());
  switch (random.Below(6)) {
    case 0: host.Key(keys[random.Below(5)]); break;
    case 1: {
      // The user puts the caret or a selection somewhere.
      const int start = random.Below(length + 1);
      host.SetSelStart(start);
      if (random.Below(2)) host.SetSelLength(random.Below(length - start + 1));
      break;
    }
    default: host.Type(std::string(1, typed[random.Below(static_cast<int>(typed.size()))])); break;
  }
}

TEST(MaskEditModesFuzzTest, RandomEditingKeepsTheTextFittingTheMask) {
  TSeparatorsScope separators('/', ':', '.');
  const char* regExprMasks[] = {"\\d+-\\d+", "\\d\\d-\\d\\d", "ID-\\d+", "\\d{2}/\\d{2}/\\d{4}",
                                "[a-z0-9.]+@[a-z]+(\\.[a-z]+)*", "(\\d|\\w)*", "a(b|c)?d*", "\\d{1,3}(\\.\\d{1,3}){3}"};
  const char* standardMasks[] = {"!99/99/0000;1;_", "(999) 000-0000;0;*", ">LL<ll", "#9.99", "\\A\\B-00"};
  TKeyRandom random(4242);
  for (TcxEditMaskKind kind : {emkRegExpr, emkRegExprEx}) {
    for (const char* mask : regExprMasks) {
      TMaskEditHost host(kind, mask);
      auto probe = Compiled(mask, true);
      const std::string empty = host.Mode().EmptyValueText();  // the forced beginning, or nothing
      host.Show(empty, static_cast<int>(empty.size()));
      for (int key = 0; key < 400; ++key) {
        PressRandomKey(host, random);
        ASSERT_NE(Type(*probe, host.CurrentText()), TTyped::Refused)
            << mask << " kind " << int{kind} << " key " << key << ": " << host.State();
        // The forced beginning stays.
        ASSERT_EQ(host.CurrentText().compare(0, empty.size(), empty), 0) << mask << " key " << key;
      }
    }
  }
  for (const char* mask : standardMasks) {
    TMaskEditHost host(emkStandard, mask);
    const int positions = static_cast<int>(dynamic_cast<TcxMaskEditStandardMode&>(host.Mode()).Mask().Count());
    host.Show(host.Mode().FormatForDisplay("", true), 0);
    for (int key = 0; key < 400; ++key) {
      PressRandomKey(host, random);
      ASSERT_EQ(static_cast<int>(host.CurrentText().size()), positions) << mask << " key " << key;
    }
  }
}

}  // namespace
