#include "calderan_test.h"

#include <string>
#include <vector>

#include "cxBaseUnits.h"
#include "dxGDIPlusAPI.h"

namespace {

class GdiPlusApi : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartToolkitBaseUnits(); }
};

TEST_F(GdiPlusApi, WineGdiPlusIsBoundWhole) {
  ASSERT_TRUE(IsGdiPlusAvailable());
  auto* slots = reinterpret_cast<void* const*>(&GdiPlusFunctions);
  for (int i = 0; i < GdiPlusFunctionCount; ++i) EXPECT_NE(slots[i], nullptr) << "entry " << i;
}

TEST_F(GdiPlusApi, FindEncoderIdIgnoresCase) {
  CLSID png{};
  ASSERT_EQ(FindEncoderId("image/png", png), 0);
  for (const char* type : {"IMAGE/PNG", "Image/Png"}) {
    CLSID found{};
    EXPECT_EQ(FindEncoderId(type, found), 0) << type;
    EXPECT_TRUE(IsEqualGUID(found, png)) << type;
  }
  EnsurePngEncoder();
  EXPECT_TRUE(IsEqualGUID(PngEncoderId(), png));

  CLSID untouched{0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  const CLSID before = untouched;
  EXPECT_EQ(FindEncoderId("image/x-nothing", untouched), 1);
  EXPECT_TRUE(IsEqualGUID(untouched, before));
}

TEST_F(GdiPlusApi, FailedStatusIsTheAssertionFailure) {
  EXPECT_NO_THROW(CheckGdiPlusStatus(Gdiplus::Ok));
  EXPECT_NO_THROW(CheckGdiPlusSuccess(true));
  // A real call that GDI+ refuses: the dimension of no image.
  Gdiplus::REAL width, height;
  Gdiplus::GpStatus status = GdiPlusFunctions.GdipGetImageDimension(nullptr, &width, &height);
  ASSERT_NE(status, Gdiplus::Ok);
  try {
    CheckGdiPlusStatus(status);
    FAIL() << "no exception";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(e.Message(), "Invalid operation in GDI+ (dxGDIPlusApi, line 1001)");
  }
  EXPECT_THROW(CheckGdiPlusSuccess(false), EAssertionFailed);
}

std::vector<std::string> Calls;
void StartA() { Calls.push_back("start A"); }
void FinishA() { Calls.push_back("finish A"); }
void FinishB() { Calls.push_back("finish B"); }
void FinishC() { Calls.push_back("finish C"); }

TEST(UnitsLoader, FinishProceduresRunOnceNewestFirst) {
  struct Case {
    const char* Name;
    bool Start;                                     // whether a start procedure is added
    std::vector<TdxUnitsLoader::TdxUnitProc> Removed;  // before the loader goes
    std::vector<std::string> Expected;
  };
  const Case cases[] = {
      {"reverse order", true, {}, {"start A", "finish C", "finish B", "finish A"}},
      {"removed runs at once, only once", true, {FinishB}, {"start A", "finish B", "finish C", "finish A"}},
      {"never added: nothing", true, {FinishB, FinishB}, {"start A", "finish B", "finish C", "finish A"}},
      {"no start ran: no finish at the end", false, {FinishB}, {"finish B"}},
  };
  for (const Case& c : cases) {
    Calls.clear();
    {
      TdxUnitsLoader loader;
      loader.Add(c.Start ? StartA : nullptr, FinishA);
      loader.Add(nullptr, FinishB);
      loader.Add(nullptr, FinishC);
      for (auto proc : c.Removed) loader.Remove(proc);
    }
    EXPECT_EQ(Calls, c.Expected) << c.Name;
  }
}

}  // namespace
