#include "dxRibbonSkins.h"

#include <memory>

#include "dxGDIPlusAPI.h"

CALDERAN_IMPLEMENT_CLASS(TdxCustomRibbonSkin, TdxCustomBarSkin)
CALDERAN_IMPLEMENT_CLASS(TdxBlueRibbonSkin, TdxCustomRibbonSkin)
CALDERAN_IMPLEMENT_CLASS(TdxBlackRibbonSkin, TdxCustomRibbonSkin)
CALDERAN_IMPLEMENT_CLASS(TdxSilverRibbonSkin, TdxBlackRibbonSkin)

namespace {

constexpr uint16_t States(std::initializer_list<int> states) {
  uint16_t bits = 0;
  for (int s : states) bits |= uint16_t(1u << s);
  return bits;
}
constexpr uint16_t Single = 1, Pair = 3, Three = 7, Four = 15, AllStates = 0x1FF;
constexpr uint16_t ButtonStates = 0x1FC;  // 2..8
constexpr TRect None{};
constexpr TRect Two{2, 2, 2, 2};

// The form sheet: caption and borders, caption buttons, quick access pieces, application button.
const TdxRibbonPartGroup FormFrameGroups[] = {
    {10000, rsfForm, {6, 10, 6, 5}, Pair, "", 5},  {10002, rsfForm, {0, 10, 0, 5}, Pair, "", 5},
    {10004, rsfForm, {0, 9, 0, 2}, Pair, "", 5},   {10006, rsfForm, {0, 9, 0, 2}, Pair, "", 5},
    {10008, rsfForm, {0, 0, 0, 5}, Pair, "", 5},   {10010, rsfForm, {0, 0, 0, 5}, Pair, "", 5},
    {10012, rsfForm, None, Pair, "", 5},           {10014, rsfForm, {4, 0, 4, 0}, Pair, "", 5},
    {10016, rsfForm, {4, 0, 4, 0}, Pair, "", 5},
};
const TdxRibbonPartGroup CaptionButtonGroups[] = {
    {10023, rsfForm, Two, Four, "", 5}, {10027, rsfForm, Two, Four, "", 5}, {10031, rsfForm, Two, Four, "", 5},
    {10035, rsfForm, Two, Four, "", 5}, {10039, rsfForm, Two, Four, "", 5}, {10020, rsfForm, Two, Three, "", 5},
};
const TdxRibbonPartGroup QuickAccessFormGroups[] = {
    {10059, rsfForm, {13, 5, 0, 5}, Pair, "", 5},
    {10061, rsfForm, {2, 5, 0, 5}, Pair, "", 5},
    {10063, rsfForm, {0, 5, 13, 5}, Pair, "", 5},
    {10054, rsfForm, {0, 9, 0, 5}, Single, "", 0},
};
const TdxRibbonPartGroup ApplicationButtonGroups[] = {{10067, rsfForm, None, Three, "", 7}};

// The common sheet, shared by the schemes.
const TdxRibbonPartGroup CommonGroups[] = {
    {10055, rsfCommon, {0, 2, 2, 2}, Single, "", 7},
    {10056, rsfCommon, {2, 2, 0, 2}, Single, "", 7},
    {10057, rsfCommon, {0, 7, 15, 7}, Single, "", 7},
    {10290, rsfCommon, Two, ButtonStates, "0012234", 0},
    {10299, rsfCommon, Two, ButtonStates, "", 0},
    {10308, rsfCommon, Two, ButtonStates, "", 0},
    {10317, rsfCommon, Two, ButtonStates, "0012234", 0},
    {10326, rsfCommon, Two, ButtonStates, "0121340", 0},
    {10335, rsfCommon, Two, ButtonStates, "0112203", 0},
    {10407, rsfCommon, Two, States({2, 3, 4}), "001", 0},
    {10227, rsfCommon, Two, States({0, 2}), "01", 0},
    {10236, rsfCommon, Two, Pair, "", 0},
    {10245, rsfCommon, Two, Pair, "", 0},
    {10075, rsfCommon, {1, 1, 0, 1}, Single, "", 0},
    {10074, rsfCommon, {0, 1, 1, 1}, Single, "", 0},
    {10077, rsfCommon, None, Single, "", 0},
    {10078, rsfCommon, None, Single, "", 0},
    {10073, rsfCommon, {3, 3, 3, 3}, Single, "", 0},
    {10254, rsfCommon, Two, States({2, 4}), "01", 0},
    {10052, rsfCommon, None, Single, "", 0},
    {10081, rsfCommon, Two, Single, "", 0},
    {10082, rsfCommon, Two, Single, "", 0},
    {10088, rsfCommon, None, Single, "", 7},
};

// The scheme sheet, in the order the parts are added.
const TdxRibbonPartGroup FrameAndScrollGroups[] = {
    {10043, rsfScheme, {4, 4, 4, 4}, States({0, 1, 2, 3, 4}), "", 0},
    {10049, rsfScheme, None, Single, "", 0},
    {10425, rsfScheme, {3, 4, 3, 5}, Three, "", 0},
    {10434, rsfScheme, {3, 4, 3, 5}, Three, "", 0},
    {10443, rsfScheme, {4, 4, 2, 4}, Three, "", 0},
    {10452, rsfScheme, {2, 4, 4, 4}, Three, "", 0},
};
const TdxRibbonPartGroup GroupGroups[] = {
    {10048, rsfScheme, {5, 17, 5, 7}, Single, "", 0},  {10371, rsfScheme, {3, 14, 3, 0}, States({0, 2}), "01", 0},
    {10380, rsfScheme, {3, 0, 3, 3}, States({0, 2}), "01", 0}, {10389, rsfScheme, None, States({0, 2, 4}), "001", 0},
    {10398, rsfScheme, None, States({0, 2, 4}), "001", 0},
};
const TdxRibbonPartGroup CollapsedGroupGroups[] = {
    {10263, rsfScheme, {3, 15, 3, 3}, States({0, 2, 3, 4}), "0132", 0},
    {10272, rsfScheme, {4, 9, 4, 8}, States({0, 2, 3, 4}), "0132", 0},
};
const TdxRibbonPartGroup ItemGroups[] = {
    {10218, rsfScheme, None, AllStates, "012222001", 0},
    {10281, rsfScheme, Two, States({0, 1, 2, 3, 4, 5, 8}), "0123451", 0},
    {10079, rsfScheme, None, Single, "", 0},
    {10080, rsfScheme, None, Single, "", 0},
    {10089, rsfScheme, Two, Single, "", 0},
    {10344, rsfScheme, {1, 2, 1, 2}, AllStates, "", 0},
    {10084, rsfScheme, {0, 2, 0, 2}, Single, "", 0},
    {10085, rsfScheme, {0, 2, 0, 2}, Single, "", 0},
    {10353, rsfScheme, {0, 2, 0, 2}, AllStates, "012222223", 0},
    {10362, rsfScheme, {0, 2, 0, 2}, AllStates, "012232224", 0},
    {10416, rsfScheme, None, States({0, 1, 2, 3, 4}), "01000", 5},
};
const TdxRibbonPartGroup ApplicationMenuGroups[] = {
    {10070, rsfScheme, {3, 3, 3, 3}, Single, "", 0}, {10071, rsfScheme, None, Single, "", 0},
    {10072, rsfScheme, None, Single, "", 0},         {10076, rsfScheme, None, Single, "", 0},
    {10254, rsfScheme, {1, 1, 1, 1}, Single, "", 0},
};
const TdxRibbonPartGroup ProgressFrameGroups[] = {{10083, rsfScheme, Two, Single, "", 0}};
const TdxRibbonPartGroup SpinArrowGroups[] = {{10086, rsfScheme, None, Single, "", 0}};
const TdxRibbonPartGroup ScreenTipGroups[] = {{10087, rsfScheme, Two, Single, "", 0}};
const TdxRibbonPartGroup QuickAccessAndPanelGroups[] = {
    {10053, rsfScheme, {3, 3, 3, 3}, Single, "", 0},
    {10058, rsfScheme, Two, Single, "", 0},
    {10200, rsfScheme, Two, States({0, 1, 2, 3, 4, 5, 8}), "0311221", 0},
    {10209, rsfScheme, Two, States({0, 1, 2, 3, 4, 5, 8}), "0311221", 0},
    {10090, rsfScheme, {0, 2, 0, 3}, Single, "", 0},
    {10093, rsfScheme, {0, 2, 0, 3}, Single, "", 0},
    {10094, rsfScheme, {0, 2, 0, 3}, Single, "", 0},
    {10096, rsfScheme, {0, 2, 0, 3}, Single, "", 0},
    {10095, rsfScheme, {3, 2, 0, 3}, Single, "", 0},
    {10100, rsfScheme, {0, 2, 0, 3}, Four, "", 0},
    {10108, rsfScheme, {0, 2, 0, 3}, Four, "", 0},
    {10104, rsfScheme, {0, 2, 0, 3}, Four, "", 0},
    {10112, rsfScheme, {0, 2, 0, 3}, Four, "", 0},
};
const TdxRibbonPartGroup RemainingGroups[] = {
    {10461, rsfScheme, Two, States({0, 1, 2, 4}), "0312", 0},
    {10470, rsfScheme, Two, States({0, 1, 2, 4}), "0312", 0},
    {10479, rsfScheme, Two, States({0, 1, 2, 4}), "0312", 0},
    {10125, rsfScheme, {1, 1, 2, 1}, Single, "", 0},
    {10126, rsfScheme, {0, 0, 0, 2}, Single, "", 0},
    {10120, rsfScheme, {1, 1, 2, 2}, Single, "", 0},
    {10121, rsfScheme, {1, 1, 2, 2}, Single, "", 0},
    {10122, rsfScheme, None, Single, "", 5},
    {10123, rsfScheme, None, Single, "", 5},
    {10124, rsfScheme, None, Single, "", 0},
};

// Strips whose frames lie side by side in the sheet; all others are stacked.
bool FramesSideBySide(int firstId) { return firstId == 10371 || firstId == 10380; }

// Where the strip's first frame lies. 10254 and 10407 name strips whose first listed state is not
// 0: their sheet frames are filed under the id of that first state.
const TdxRibbonSheetFrame& SheetFrame(int firstId, TdxRibbonSheetKind sheet) {
  const int fileId = firstId == 10254 && sheet == rsfCommon ? 10256 : firstId == 10407 ? 10409 : firstId;
  for (const TdxRibbonSheetFrame& frame : dxRibbonSheetFrames)
    if (frame.FirstId == fileId && frame.Sheet == sheet) return frame;
  throw EAssertionFailed("Ribbon skin part without a place in its sheet");
}

struct TSheetDisposer {
  void operator()(Gdiplus::GpBitmap* sheet) const { GdiPlusFunctions.GdipDisposeImage(sheet); }
};
using TSheetHolder = std::unique_ptr<Gdiplus::GpBitmap, TSheetDisposer>;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction

TdxCustomRibbonSkin::TdxCustomRibbonSkin(const std::string& name) : TdxCustomBarSkin(name) {}

TdxBlueRibbonSkin::TdxBlueRibbonSkin() : TdxCustomRibbonSkin("Blue") {}
TdxBlackRibbonSkin::TdxBlackRibbonSkin() : TdxCustomRibbonSkin("Black") {}
TdxSilverRibbonSkin::TdxSilverRibbonSkin() : TdxBlackRibbonSkin("Silver") {}

void TdxCustomRibbonSkin::Build() {
  TSheetHolder form(LoadFormSheet());
  AddFormParts(form.get());
  form.reset();
  TSheetHolder common(LoadCommonSheet());
  AddCommonParts(common.get());
  common.reset();
  TSheetHolder scheme(LoadSchemeSheet());
  AddSchemeParts(scheme.get());
  scheme.reset();
  lowColor_ = IsLowColorDisplay();
}

bool TdxCustomRibbonSkin::IsLowColorDisplay() const {
  HDC screen = GetDC(nullptr);
  const bool low = GetDeviceCaps(screen, BITSPIXEL) < 9;
  ReleaseDC(nullptr, screen);
  return low;
}

Gdiplus::GpBitmap* TdxCustomRibbonSkin::LoadSheet(const char* resourceName) {
  TResourceStream stream(GetModuleHandleW(nullptr), resourceName, MAKEINTRESOURCEA(10));
  return CreateImageFromResourceStream(&stream);
}

Gdiplus::GpBitmap* TdxCustomRibbonSkin::LoadCommonSheet() { return LoadSheet("RIBBONCOMMON"); }

int TdxCustomRibbonSkin::PartIndex(int id) const {
  auto found = partIndexes_.find(id);
  return found == partIndexes_.end() ? -1 : found->second;
}

void TdxCustomRibbonSkin::AddStateStrip(Gdiplus::GpImage* sheet, const TdxRibbonPartGroup& group) {
  const TdxRibbonSheetFrame& place = SheetFrame(group.FirstId, group.Sheet);
  const bool horizontal = FramesSideBySide(group.FirstId);
  const int step = horizontal ? place.Width : place.Height;
  const int mapLength = static_cast<int>(std::char_traits<char>::length(group.FrameMap));
  int added = 0;
  for (int state = 0; state < 9; ++state) {
    if (!(group.States & (1u << state))) continue;
    const int frame = mapLength == 0 ? added : added < mapLength ? group.FrameMap[added] - '0' : 0;
    ++added;
    TRect rect = Bounds(place.Left, place.Top, place.Width, place.Height);
    OffsetRect(rect.Win(), horizontal ? frame * step : 0, horizontal ? 0 : frame * step);
    const int id = group.FirstId + state;
    const int index = group.Margins == TRect()
                          ? AddImagePart(sheet, rect, id, "", group.InterpolationMode)
                          : AddImagePartWithMargins(sheet, rect, group.Margins, id, "", group.InterpolationMode);
    partIndexes_[id] = index;
  }
}

void TdxCustomRibbonSkin::AddGroups(Gdiplus::GpImage* sheet, const TdxRibbonPartGroup* groups, size_t count) {
  for (size_t i = 0; i < count; ++i) AddStateStrip(sheet, groups[i]);
}

void TdxCustomRibbonSkin::AddFormParts(Gdiplus::GpImage* sheet) {
  AddGroups(sheet, FormFrameGroups, std::size(FormFrameGroups));
  AddFormCaptionButtonParts(sheet);
  AddGroups(sheet, QuickAccessFormGroups, std::size(QuickAccessFormGroups));
  AddApplicationButtonParts(sheet);
}

void TdxCustomRibbonSkin::AddFormCaptionButtonParts(Gdiplus::GpImage* sheet) {
  AddGroups(sheet, CaptionButtonGroups, std::size(CaptionButtonGroups));
}

void TdxCustomRibbonSkin::AddApplicationButtonParts(Gdiplus::GpImage* sheet) {
  AddGroups(sheet, ApplicationButtonGroups, std::size(ApplicationButtonGroups));
}

void TdxCustomRibbonSkin::AddCommonParts(Gdiplus::GpImage* sheet) {
  AddGroups(sheet, CommonGroups, std::size(CommonGroups));
}

void TdxCustomRibbonSkin::AddSchemeParts(Gdiplus::GpImage* sheet) {
  AddGroups(sheet, FrameAndScrollGroups, std::size(FrameAndScrollGroups));
  AddGroupParts(sheet);
  AddGroups(sheet, CollapsedGroupGroups, std::size(CollapsedGroupGroups));
  AddItemParts(sheet);
  AddApplicationMenuParts(sheet);
  AddProgressBarFramePart(sheet);
  AddSpinArrowPart(sheet);
  AddScreenTipPart(sheet);
  AddGroups(sheet, QuickAccessAndPanelGroups, std::size(QuickAccessAndPanelGroups));
  AddRemainingSchemeParts(sheet);
}

void TdxCustomRibbonSkin::AddGroupParts(Gdiplus::GpImage* sheet) { AddGroups(sheet, GroupGroups, std::size(GroupGroups)); }
void TdxCustomRibbonSkin::AddItemParts(Gdiplus::GpImage* sheet) { AddGroups(sheet, ItemGroups, std::size(ItemGroups)); }
void TdxCustomRibbonSkin::AddApplicationMenuParts(Gdiplus::GpImage* sheet) {
  AddGroups(sheet, ApplicationMenuGroups, std::size(ApplicationMenuGroups));
}
void TdxCustomRibbonSkin::AddProgressBarFramePart(Gdiplus::GpImage* sheet) {
  AddGroups(sheet, ProgressFrameGroups, std::size(ProgressFrameGroups));
}
void TdxCustomRibbonSkin::AddSpinArrowPart(Gdiplus::GpImage* sheet) {
  AddGroups(sheet, SpinArrowGroups, std::size(SpinArrowGroups));
}
void TdxCustomRibbonSkin::AddScreenTipPart(Gdiplus::GpImage* sheet) {
  AddGroups(sheet, ScreenTipGroups, std::size(ScreenTipGroups));
}
void TdxCustomRibbonSkin::AddRemainingSchemeParts(Gdiplus::GpImage* sheet) {
  AddGroups(sheet, RemainingGroups, std::size(RemainingGroups));
}

// ---------------------------------------------------------------------------------------------
// Registration

namespace {

template <class TSkin> void RegisterSkin() {
  std::unique_ptr<TSkin> skin(CreateRibbonSkin<TSkin>());
  if (BarSkinManager()->Add(skin.get()) >= 0) skin.release();
}

void StartRibbonSkins() {
  if (!IsGdiPlusAvailable()) return;
  RegisterSkin<TdxBlueRibbonSkin>();
  RegisterSkin<TdxBlackRibbonSkin>();
  RegisterSkin<TdxSilverRibbonSkin>();
}

void FinishRibbonSkins() {
  TdxBarSkinManager* manager = BarSkinManager();
  for (int i = manager->GetCount() - 1; i >= 0; --i)
    if (manager->GetSkin(i)->InheritsFrom(TdxCustomRibbonSkin::StaticClass())) manager->Remove(manager->GetSkin(i));
}

void StartUnit() { GetUnitsLoader()->Add(StartRibbonSkins, FinishRibbonSkins); }
void StopUnit() { GetUnitsLoader()->Remove(FinishRibbonSkins); }

}  // namespace

const TUnitInfo dxRibbonSkinsUnit{"dxRibbonSkins", StartUnit, StopUnit};
