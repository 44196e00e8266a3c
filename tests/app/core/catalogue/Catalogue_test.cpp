// A program whose catalogue resource is broken, of the wrong kind or missing: built three times,
// each with its own resource script and the text start-up must end with.
#include <string>
#include <vector>

#include "CoreTestSupport.h"
#include "Formats.h"
#include "Forms.h"
#include "Global.h"
#include "calderan_test.h"

namespace {

TEST(BrokenCatalogue, ProfileSelectionRaisesTheStartUpText) {
  RemoveSettings();
  try {
    TFormats formats("iPhone,MP3,AAC,WAV,M4A");
    FAIL() << "the catalogue must not load";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), CATALOGUE_ERROR);
    EXPECT_EQ(e.Is<FinalException>(), CATALOGUE_FINAL);
  }
}

TEST(BrokenCatalogue, StartUpEndsWithTheTextAndWritesNothing) {
  RemoveSettings();
  StartUnits({&SysUtilsUnit, &ClassesUnit, &GraphicsUnit, &ControlsUnit, &FormsUnit});
  TPrivateTempFolder temp;
  TMessageBoxCatcher boxes;
  EXPECT_EQ(RunConverter(nullptr), 1);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Text, CATALOGUE_ERROR);
  EXPECT_EQ(ReadSettings(), "<missing>");
  EXPECT_EQ(temp.Files(), std::vector<std::string>{}) << "the engine log named before the catalogue failed";
}

}  // namespace
