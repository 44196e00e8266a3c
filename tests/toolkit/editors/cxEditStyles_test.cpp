#include "calderan_test.h"

#include <memory>

#include "editors_fixture.h"

namespace {

struct EditStyles : EditorsFixture {
  EditStyles() { editor = Place(new TcxCustomEdit(form.get()), 10, 10, 120, 24); }
  TcxCustomEdit* editor;
};

TEST_F(EditStyles, AnEditorsStylesAreEditStylesUnderTheSharedController) {
  EXPECT_TRUE(editor->Style()->Is<TcxEditStyle>());
  EXPECT_TRUE(editor->StyleHot()->Is<TcxEditStyle>());
  EXPECT_EQ(editor->Style()->ActiveStyleController(), SharedEditStyleController());
  EXPECT_EQ(DefaultStyleController(), SharedEditStyleController());
  EXPECT_EQ(editor->Style()->StyleValueCount(), 16);
  std::string name;
  ASSERT_TRUE(editor->Style()->StyleValueName(svGradientDirection, name));
  EXPECT_EQ(name, "GradientDirection");
  EXPECT_EQ(editor->HiddenStyleValues(), EditStyleValues());
}

TEST_F(EditStyles, NonStateValuesWrittenOnAStateStyleLandInTheNormalStyle) {
  editor->StyleFocused()->SetButtonTransparency(ebtHideInactive);
  EXPECT_EQ(editor->Style()->ButtonTransparency(), ebtHideInactive);
  EXPECT_EQ(editor->StyleFocused()->ButtonTransparency(), ebtHideInactive);
  EXPECT_TRUE(editor->Style()->AssignedValues().Contains(svButtonTransparency));
  EXPECT_FALSE(editor->StyleFocused()->AssignedValues().Contains(svButtonTransparency));
}

TEST_F(EditStyles, ButtonStyleBelongsToTheStateStyleWrittenTo) {
  editor->StyleHot()->SetButtonStyle(btsFlat);
  EXPECT_EQ(editor->StyleHot()->ButtonStyle(), btsFlat);
  EXPECT_EQ(editor->Style()->ButtonStyle(), btsDefault);
  EXPECT_EQ(editor->StyleFocused()->ButtonStyle(), btsDefault);
}

TEST_F(EditStyles, ValuesComeFromTheControllerUnlessAssigned) {
  TcxEditStyleController controller(nullptr);
  editor->Style()->SetStyleController(&controller);
  controller.Style()->SetGradientDirection(dirRight);
  EXPECT_EQ(editor->Style()->GradientDirection(), dirRight);
  EXPECT_FALSE(editor->Style()->AssignedValues().Contains(svGradientDirection));
  EXPECT_TRUE(editor->Style()->IsValueAssigned(svGradientDirection));
  editor->Style()->SetGradientDirection(dirUp);
  EXPECT_EQ(editor->Style()->GradientDirection(), dirUp);
  editor->Style()->SetStyleController(nullptr);
}

TEST_F(EditStyles, AnInPlaceEditorFollowsNoDefaultController) {
  std::unique_ptr<TcxCustomEdit> inPlace(TcxCustomEdit::StaticClassOperations()->Create(nullptr, true));
  EXPECT_TRUE(inPlace->InPlace());
  EXPECT_EQ(inPlace->Style()->ActiveStyleController(), nullptr);
  SharedEditStyleController()->Style()->SetPopupBorderStyle(epbsFrame3D);
  EXPECT_EQ(inPlace->Style()->PopupBorderStyle(), epbsDefault);
  EXPECT_EQ(editor->Style()->PopupBorderStyle(), epbsFrame3D);
  SharedEditStyleController()->Style()->RestoreDefaults();
}

TEST_F(EditStyles, HiddenValuesAreNotStoredEvenWhenAssigned) {
  editor->Style()->SetButtonStyle(bts3D);
  EXPECT_FALSE(editor->Style()->IsEditValueStored(svButtonStyle));
  TcxEditStyleController controller(nullptr);
  controller.Style()->SetButtonStyle(bts3D);
  EXPECT_TRUE(controller.Style()->IsEditValueStored(svButtonStyle));
  EXPECT_FALSE(controller.Style()->IsEditValueStored(svGradient));
}

TEST_F(EditStyles, AssignCopiesTheEditValuesWithOneChange) {
  TcxEditStyleController source(nullptr), target(nullptr);
  source.Style()->SetButtonStyle(btsOffice11);
  source.Style()->SetGradient(true);
  source.Style()->SetPopupCloseButton(false);
  TChangeCounter counter;
  target.Style()->OnChanged = counter.Event();
  target.Style()->Assign(source.Style());
  EXPECT_EQ(counter.count, 1);
  EXPECT_EQ(target.Style()->ButtonStyle(), btsOffice11);
  EXPECT_TRUE(target.Style()->Gradient());
  EXPECT_FALSE(target.Style()->PopupCloseButton());
}

}  // namespace
