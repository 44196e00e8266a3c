// The about box: the product word, the program's version and the link to the home page. A click
// anywhere on the box closes it.
#pragma once
#include "Forms.h"
#include "cxLabel.h"

class TFormAbout : public TForm {
  CALDERAN_CLASS(TFormAbout)
  explicit TFormAbout(TComponent* Owner) : TForm(Owner) {}

  TcxLabel* Label1 = nullptr;
  TcxLabel* Label2 = nullptr;
  TcxLabel* lblHome = nullptr;
  TcxLabel* Label5 = nullptr;

  void FormCreate(TObject* Sender);
  void FormClick(TObject* Sender);
  // Opens the link's address with the shell's default verb, then closes the box.
  void lblHomeClick(TObject* Sender);
  static void Register();
};

// Opens a document or address with the shell (no owner, no parameters, shown normally). A test
// may replace it so that nothing is started.
extern void (*GlobalShellOpen)(const std::string& Target);

extern TFormAbout* FormAbout;

extern const TUnitInfo AboutUnit;
