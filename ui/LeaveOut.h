// The "Leave out characters" box: one field for the characters never to use, OK and Cancel.
#pragma once
#include <string>

#include "framework/Forms.h"

class TLeaveOutForm : public TForm {
 public:
  TLeaveOutForm();

  TLabel Label1;
  TEdit Edit1;
  TButton OKButton, CancelButton;

 protected:
  void CreateControls() override;
};

// Shows the box modally with `text` in its field. On OK (or Enter) `text` becomes what the field
// holds and the answer is true; Cancel, Esc and the close box keep it.
bool EditLeaveOutCharacters(std::string& text);
