// The "Make passphrases" box, made for each showing: the main window keeps the options between
// showings and does the generating.
#include "ui/Passphrases.h"

#include "framework/CodePage.h"
#include "framework/Dialogs.h"
#include "framework/WideText.h"

TPassphraseForm::TPassphraseForm() : TForm("TPassphraseForm") {
  Caption = "Make passphrases";
  DialogFrame = true;
  UseClientSize = true;
  Width = 264;
  Height = 198;
  CenterOnFirstShow = true;
  FirstFocus = &Edit1;
}

void TPassphraseForm::CreateControls() {
  Font = CreateUiFont("MS Sans Serif", 8, DEFAULT_CHARSET);
  UpDown1.Associate = &Edit1;
  UpDown1.Min = kMinPassphraseWords, UpDown1.Max = kMaxPassphraseWords, UpDown1.Initial = 6;
  UpDown2.Associate = &Edit3;
  UpDown2.Min = 1, UpDown2.Max = 1000, UpDown2.Initial = 1;
  UpDown1.KeepInRange = UpDown2.KeepInRange = true;  // the window's rule, also as a field is left
  // Each label comes right before its field, so that its underlined letter moves the focus there.
  CreateTable({
      {&Label1, nullptr, "&Words:", 8, 12, 128, 13},
      {&Edit1, nullptr, "6", 144, 8, 46, 21},
      {&UpDown1, nullptr, "", 190, 8, 15, 21},
      {&Label2, nullptr, "&Separator:", 8, 40, 128, 13},
      {&Edit2, nullptr, "-", 144, 36, 61, 21},
      {&CheckBox1, nullptr, "&Capitalize each word", 8, 64, 248, 17},
      {&CheckBox2, nullptr, "Add a &digit", 8, 86, 248, 17},
      {&Label3, nullptr, "&Number of passphrases:", 8, 116, 128, 13},
      {&Edit3, nullptr, "1", 144, 112, 46, 21},
      {&UpDown2, nullptr, "", 190, 112, 15, 21},
      {&StrengthLabel, nullptr, "", 8, 142, 248, 13},
      {&GenerateButton, nullptr, "&Generate", 100, 165, 75, 25},
      {&CloseButton, nullptr, "Close", 181, 165, 75, 25},
  });
  SendMessageA(Edit2.Handle, EM_SETLIMITTEXT, kMaxSeparatorLength, 0);
  // The dialog manager turns Enter into IDOK (the default button) and Esc into IDCANCEL.
  SetWindowLongPtrA(GenerateButton.Handle, GWLP_ID, IDOK);
  SendMessageA(GenerateButton.Handle, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  SetWindowLongPtrA(CloseButton.Handle, GWLP_ID, IDCANCEL);
  GenerateButton.OnClick = [this] { GenerateButtonClick(); };
  CloseButton.OnClick = [this] { ModalResultValue = mrCancel; };
  for (TControl* c : {&Edit1, &Edit2, &Edit3}) c->OnChange = [this] { UpdateStrength(); };
  for (TControl* c : {&CheckBox1, &CheckBox2}) c->OnClick = [this] { UpdateStrength(); };
  UpdateStrength();
}

PassphraseRequest TPassphraseForm::ReadRequest(bool settle) {
  PassphraseRequest r;
  // Settled, the fields show the values used (not while the user types: "1" may become "12").
  r.Words = settle ? UpDown1.ClampToRange() : UpDown1.Position();
  SeparatorWhole = ExactAnsiText(Edit2.Handle, r.Separator);
  r.Capitalize = CheckBox1.Checked();
  r.AddDigit = CheckBox2.Checked();
  r.Count = settle ? UpDown2.ClampToRange() : UpDown2.Position();
  r.LeaveOut = LeaveOut;
  return r;
}

void TPassphraseForm::SetRequest(const PassphraseRequest& r) {
  UpDown1.SetPosition(r.Words);
  Edit2.SetText(r.Separator);
  CheckBox1.SetChecked(r.Capitalize);
  CheckBox2.SetChecked(r.AddDigit);
  UpDown2.SetPosition(r.Count);
  UpdateStrength();
}

// A separator that lost a character would make passphrases unlike the ones asked for.
void TPassphraseForm::GenerateButtonClick() {
  const PassphraseRequest r = ReadRequest(true);
  if (!SeparatorWhole)
    ShowMessage("The separator holds a character the system's code page cannot write");
  else if (OnGenerate)
    OnGenerate(r);
}

void TPassphraseForm::UpdateStrength() {
  // Called while the table is still being made, as each field gets its first text.
  if (!StrengthLabel.Handle || !UpDown2.Handle) return;
  const int bits =
      PassphraseStrengthBits(ReadRequest(false), ProgramWords(), AnsiCharacterLength());
  StrengthLabel.SetText(StrengthText(bits, "passphrase"));
}

void MakePassphrases(PassphraseRequest& options, const std::string& leaveOut,
                     const std::function<void(const PassphraseRequest&)>& generate) {
  TPassphraseForm box;
  box.LeaveOut = leaveOut;
  box.OnGenerate = generate;
  box.Create();
  box.SetRequest(options);
  box.ShowModal();
  const PassphraseRequest shown = box.ReadRequest(true);
  options = shown;
  options.LeaveOut.clear();
}
