#include "calderan_test.h"

#include "cxBaseUnits.h"
#include "cxDWMApi.h"

namespace {

class DWMApi : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartToolkitBaseUnits(); }
  void TearDown() override { LoadDWMApi(6); }
};

TEST_F(DWMApi, OlderSystemsLoadNothing) {
  LoadDWMApi(5);
  EXPECT_FALSE(IsCompositionAvailable());
  EXPECT_FALSE(IsCompositionEnabled());
}

TEST_F(DWMApi, AnswersWhatTheSystemReports) {
  EXPECT_TRUE(IsCompositionAvailable());  // started on this system's version (6 or more)
  HMODULE library = LoadLibraryA("dwmapi.dll");
  ASSERT_NE(library, nullptr);
  auto query = reinterpret_cast<HRESULT(WINAPI*)(BOOL*)>(GetProcAddress(library, "DwmIsCompositionEnabled"));
  BOOL enabled = FALSE;
  query(&enabled);
  EXPECT_EQ(IsCompositionEnabled(), enabled != FALSE);
  FreeLibrary(library);
}

TEST_F(DWMApi, UnloadingForgetsTheLibrary) {
  UnloadDWMApi();
  EXPECT_FALSE(IsCompositionAvailable());
  EXPECT_FALSE(IsCompositionEnabled());
}

}  // namespace
