// The "Make passphrases" box: the passphrase options with their strength, and Generate, which adds
// passphrases to the main list while the box stays open.
#pragma once
#include <functional>
#include <string>

#include "framework/Forms.h"
#include "generator/Passphrase.h"

class TPassphraseForm : public TForm {
 public:
  TPassphraseForm();

  TLabel Label1, Label2, Label3, StrengthLabel;
  TEdit Edit1, Edit2, Edit3;  // words, separator, number of passphrases
  TUpDown UpDown1, UpDown2;
  TCheckBox CheckBox1, CheckBox2;  // capitalize, add a digit
  TButton GenerateButton, CloseButton;
  // Characters never to use: they count in the strength shown.
  std::string LeaveOut;
  std::function<void(const PassphraseRequest&)> OnGenerate;

  // The options as the fields hold them (LeaveOut included). With `settle` the spinners' fields
  // are rewritten to show the values used.
  PassphraseRequest ReadRequest(bool settle);
  // Whether the separator last read kept every character typed (see ExactAnsiText).
  bool SeparatorWhole = true;
  void SetRequest(const PassphraseRequest& request);
  void GenerateButtonClick();
  void UpdateStrength();

 protected:
  void CreateControls() override;
};

// Shows the box modally with `options` in its fields. Each Generate hands the options, with
// `leaveOut`, to `generate`; on closing `options` holds what the fields held.
void MakePassphrases(PassphraseRequest& options, const std::string& leaveOut,
                     const std::function<void(const PassphraseRequest&)>& generate);
