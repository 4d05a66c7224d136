// The main window: option controls, password list, menu, tool bar and status bar.
#pragma once
#include <memory>
#include <string>

#include "framework/FileDialogs.h"
#include "framework/Forms.h"
#include "generator/Passphrase.h"
#include "generator/PasswordGenerator.h"
#include "ui/ListDocument.h"
#include "ui/PresetGroup.h"

// Which file implements what is noted beside each group of members.
class TSDIAppForm : public TForm {
 public:
  TSDIAppForm();  // MainLayout.cpp

  // Controls, laid out in MainLayout.cpp's table.
  // Tool bar, options panel, password list, status bar; the hidden print buffer (PrintBuffer()).
  TToolBar ToolBar1;
  TPanel Panel1;
  TMemo Memo1;
  TListDocument Document{Memo1};  // the list's file
  TStatusBar StatusBar;
  TRichEdit RichEdit1;
  TOpenDialog OpenDialog;
  TSaveDialog SaveDialog;
  HIMAGELIST ImageList1 = nullptr;  // 16 x 16 at 96 DPI: menu and actions
  HIMAGELIST ImageList3 = nullptr;  // 32 x 32 at 96 DPI: tool bar

  // Options panel.
  TGroupBox GroupBox1, GroupBox2, GroupBox3, GroupBox4;
  TRadioButton RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton11, RadioButton12,
      RadioButton13, RadioButton9;
  TEdit Edit2;
  TUpDown UpDown1;
  TRadioButton RadioButton5, RadioButton6, RadioButton7, RadioButton8, RadioButton14, RadioButton15,
      RadioButton16, RadioButton10;
  TEdit Edit3;
  TUpDown UpDown2;
  TRadioButton RadioButton17, RadioButton21;
  TEdit Edit4;
  TUpDown UpDown3;
  // The length and count groups above, each with its presets, "Custom", spinner and settings keys.
  TPresetGroup LengthGroup, CountGroup;
  // The character check boxes are rows of kCharacterOptions (Options.h).
  TCheckBox CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox7;
  TMemo Memo2;
  TCheckBox CheckBox6, CheckBox8;
  TButton Button1, Button2;

  // Actions and menu (MainLayout.cpp; the scheme items are rows of kColorSchemes in Options.h).
  TActionList ActionList1;
  TAction FileNew1, FileOpen1, FileSave1, FileSaveAs1, FileExit1, EditCut1, EditCopy1, EditPaste1,
      HelpAbout1;
  TAction Generate1;      // F5 anywhere in the window, as the Generate button
  TAction GenerateStop1;  // Esc while a long Generate is at work
  TMainMenu MainMenu1;
  TMenuItem File1, FileNewItem, FileOpenItem, FileSaveItem, FileSaveAsItem, N1, Print1, N2,
      FileExitItem;
  TMenuItem Edit1, CutItem, CopyItem, PasteItem;
  TMenuItem Options1, Colorscheme1, mniDefault, mniWhite, mniGray, mniYellow, mniBlue;
  // Options beyond the panel's (MainOptions.cpp; the check items are rows of kOptionItems, the
  // clearing times rows of kClearClipboardTimes in Options.h).
  TMenuItem N3, mniAtLeastOneOfEach, mniLeaveOut, Clearclipboardafter1, mniClearNever, mniClear10s,
      mniClear30s, mniClear1m, mniClear5m;
  // The characters never to use, as the "Leave out characters" box last took them.
  std::string LeaveOutCharacters;
  // "Make passphrases..." behind a separator; the box's options as it last held them.
  TMenuItem N4, mniPassphrases;
  PassphraseRequest PassphraseOptions;
  TMenuItem Help1, HelpAboutItem;

  // Generate and Clear, creation and closing (MainCommands.cpp).
  // The options as Generate reads them.
  PasswordRequest ReadRequest();
  void Button1Click();
  void Button2Click();
  void FormCreate() override;
  void FormClose() override;
  // A logoff, a shut-down or the system's restart of programs: handled as the close, showing
  // nothing.
  void SessionEnding() override;
  // Appends a Generate result to the list as one addition, on a line of its own.
  void AppendToList(const std::string& text);
  // The end of a Generate that made passwords: copied when asked, then added to the list.
  void PasswordsMade(const std::string& text);

  // Making the passwords (MainGenerate.cpp). A Generate that outlasts about half a second goes on
  // in slices between the window's messages, with its progress in the status bar.
  void StartGenerating(const PasswordRequest& request);
  bool Generating() const { return generation_ != nullptr; }
  // Stops a Generate still at work, adding and copying nothing: Esc, and first thing when the
  // window closes or the session ends.
  void StopGenerating();
  static constexpr UINT_PTR kGenerateTimer = 2;
  // "Making passwords: 340 of 1000 - Esc stops", while Generating().
  std::string ProgressText() const;

  // File, print and clipboard commands (MainFile.cpp).
  void FileNew1Execute();
  void FileOpen1Execute();
  void FileSave1Execute();
  void FileSaveAs1Execute();
  void FileExit1Execute();
  void Print1Click();
  // The print buffer's window, made on first use (MainLayout.cpp).
  HWND PrintBuffer();
  // The clipboard step of closing: empties the clipboard when "Clear clipboard on exit" is checked.
  void ClearClipboardOnExit();

  // The password list's own handling (MainList.cpp): a double-click selects a whole line, the
  // context menu copies the line's password, and every copy and cut goes through CopyToClipboard.
  void SubclassList();
  void Memo1DblClick(POINT client);
  void Memo1ContextPopup(LPARAM screenPoint);  // -1: from the keyboard
  void Memo1Copy(bool cut);

  void HelpAbout1Execute();  // About.cpp

  // The "Make passphrases" box and its Generate (MainPassphrases.cpp): the passphrases are added
  // to the list and copied as Generate adds and copies passwords; a refusal adds and copies
  // nothing.
  void mniPassphrasesClick();
  void AddPassphrases(const PassphraseRequest& request);

  // Colour schemes (Schemes.cpp).
  void mniDefaultClick();
  void mniWhiteClick();
  void mniGrayClick();
  void mniYellowClick();
  void mniBlueClick();
  void SetScheme(int scheme);
  // The number of the checked scheme, and of a scheme's menu item.
  int CheckedScheme() const;
  int SchemeOf(const TMenuItem& item) const;

  // The new options' menu items, the strength in the status bar and the timed clipboard clearing
  // (MainOptions.cpp).
  void mniLeaveOutClick();
  // The seconds of the checked "Clear clipboard after" item (0: never); checks the item of
  // `seconds`, or "Never" for a number that has none.
  int ClearClipboardSeconds() const;
  void SetClearClipboardSeconds(int seconds);
  // After a copy of passwords: the clipboard is emptied when the chosen time is up, unless
  // somebody has emptied it since our copy numbered `copy` (a program asking for the text has not).
  void ScheduleClipboardClear(unsigned long copy);
  // Puts passwords on the clipboard the program's way: kept out of the clipboard's history and
  // cloud, and taken off again as "Clear clipboard after" says. They are given only when a program
  // asks for them (a program that dies first takes them along), and placed at a close that
  // clears nothing. With renderNow the text is placed at once (a Cut: the text exists nowhere
  // else afterwards).
  void CopyToClipboard(const std::string& text, bool renderNow = false);
  static constexpr UINT_PTR kClearClipboardTimer = 1;
  void TimerFired(UINT_PTR id) override;
  // "Each password: 38 bits (weak)" for the current options.
  std::string IdleHint() override;

  // The settings file (Settings.cpp).
  void LoadSettings();
  void SaveSettings();

 protected:
  // Layout (MainLayout.cpp).
  void CreateControls() override;
  void Resize() override;
  SIZE MinClientSize() override;

 private:
  void CreateActions();   // MainLayout.cpp
  void CreateMenu();      // MainLayout.cpp
  void AddSchemeItems();  // Schemes.cpp
  void AddOptionItems();  // MainOptions.cpp
  // Empties the clipboard if a timed clearing is due and nobody has copied since. While another
  // program holds it open, a timer tries again; at the close it is tried for about a second.
  void ClearClipboardIfUnchanged(bool closing = false);
  // At the close: passwords only offered so far are placed on the clipboard, unless a clearing
  // was due; either way the program's copy is wiped.
  void PlaceOfferedPasswords();
  // The close's work (MainCommands.cpp): the settings saved, a due clearing done, the offered
  // passwords placed. Quietly, a failure shows nothing and stops nothing.
  void CloseDown(bool quietly);
  struct Generation;     // the passwords of a Generate at work (MainGenerate.cpp)
  void GenerateSlice();  // the next slice of a long Generate, when its timer fires
  void FinishGenerating(Generation& work);
  std::shared_ptr<Generation> generation_;  // shared: the type is complete only there
  unsigned long copiedNumber_ = 0;          // our copy of passwords that a timed clearing takes off
  bool clearPending_ = false;
  PasswordRequest strengthRequest_;  // the options last measured
  std::string strengthText_;         // and the result
};
