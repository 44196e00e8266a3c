#include "calderan_test.h"

#include <string>

#include "mask_edit_fixture.h"

namespace {

struct MaskEdit : MaskEditFixture {};

TEST_F(MaskEdit, Smoke) {
  SetMask(emkStandard, "!99/99/0000;1;_");
  Focus();
  std::cout << State() << "\n";
  Select(0, 0);
  std::cout << State() << "\n";
  Press("12");
  std::cout << State() << " text=" << editor->Text() << "\n";
  Press("B");
  std::cout << State() << " text=" << editor->Text() << "\n";
  Press("LL");
  std::cout << State() << " text=" << editor->Text() << "\n";
}

}  // namespace
