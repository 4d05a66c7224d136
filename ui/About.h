// The About box: product name, version, copyright, the web page as a link, a comment and OK.
#pragma once
#include "framework/Forms.h"

class TAboutBox : public TForm {
 public:
  TAboutBox();

  TControl Panel1;
  TControl ProgramIcon;
  TControl ProductName, lbVersion, Copyright, Label1, Comments;
  TControl OKButton;

  void Label1Click();

 protected:
  void CreateControls() override;
  void FormCreate() override;
};

extern TAboutBox* AboutBox;
