// The About box.
#pragma once
#include "framework/Forms.h"

class TAboutBox : public TForm {
public:
  TAboutBox();

protected:
  void CreateControls() override;
};

extern TAboutBox* AboutBox;
