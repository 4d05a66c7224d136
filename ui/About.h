// The About box: product name, version, copyright, the web page as a link, a comment and OK.
#pragma once
#include "framework/Forms.h"
#include "framework/IconControl.h"

class TAboutBox : public TForm {
 public:
  TAboutBox();

  TPanel Panel1;
  TImage ProgramIcon;
  TLabel ProductName, lbVersion, Copyright, Label1, Comments;
  TButton OKButton;

  void Label1Click();

 protected:
  void CreateControls() override;
  void FormCreate() override;
  void DpiChanged() override;
};

extern TAboutBox* AboutBox;
