// The settings file: first run, what each key brings back, and what closing writes.
#include <array>
#include <cstring>
#include <tuple>

#include "framework/Clipboard.h"
#include "framework/FileStream.h"
#include "framework/core/Text.h"
#include "tests/support/KeptRegistry.h"
#include "tests/support/OtherProgram.h"
#include "ui/tests/SettingsFixture.h"

namespace {

RECT Bounds(const TSDIAppForm& form) { return form.BoundsRect(); }

// Where the window stands and how large it is: left, top, width, height.
using Placement = std::array<long, 4>;
Placement Placed(const TSDIAppForm& form) {
  const RECT r = form.BoundsRect();
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

TEST_F(SettingsTest, AFirstRunOpensInTheDesignStateAndWritesTheTwentyKeysThenTheNewEightInOrder) {
  Start();
  EXPECT_EQ(SettingsFolder, AnsiToWide(folder));
  EXPECT_NE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_EQ(Placed(*form), (Placement{326, 160, 768, 600}));
  EXPECT_TRUE(form->RadioButton1.Checked());
  EXPECT_FALSE(form->RadioButton9.Checked());
  EXPECT_TRUE(form->RadioButton5.Checked());
  EXPECT_TRUE(form->RadioButton17.Checked());
  EXPECT_TRUE(form->CheckBox1.Checked());
  EXPECT_FALSE(form->CheckBox6.Checked());
  EXPECT_TRUE(form->mniDefault.Checked());
  EXPECT_EQ(form->Edit2.Text(), "8");
  EXPECT_EQ(form->Edit4.Text(), "0");  // the group size's first-run default is 0, not the design 4
  EXPECT_EQ(form->UpDown3.Position(), 0);

  ASSERT_TRUE(Close());
  EXPECT_EQ(FileText(),
            "[Form]\r\nTop=160\r\nLeft=326\r\nWidth=768\r\nHeight=600\r\n"
            "[Settings]\r\nNumChars=8\r\nNumCharsCustom=8\r\nUseLowerCase=1\r\nUseUpperCase=0\r\n"
            "UseNumbers=0\r\nUseSpecial=0\r\nNoSimilar=0\r\nCustom=0\r\nCustomMemo=\r\n"
            "ClearOnExit=0\r\nColorScheme=0\r\nNumPasswords=1\r\nNumPasswordsCustom=1\r\n"
            "FormatString=0\r\nFormatStringCustom=0\r\nAutoCopy=0\r\n"
            "AtLeastOneOfEach=0\r\nLeaveOut=\r\nClearClipboardAfter=0\r\nPassphraseWords=6\r\n"
            "PassphraseSeparator=-\r\nPassphraseCapitalize=0\r\nPassphraseDigit=0\r\n"
            "PassphraseCount=1\r\n");
}

TEST_F(SettingsTest, BoundsOffEveryMonitorComeUpAtTheDesignSizeOnTheNearestWorkArea) {
  PutFile("[Form]\r\nTop=-3000\r\nLeft=5000\r\nWidth=900\r\nHeight=700\r\n");
  Start();
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(Placed(*form), (Placement{work.right - 768, work.top, 768, 600}));
}

TEST_F(SettingsTest, BoundsTooSmallToUseComeUpAtTheDesignSizeWhereTheyWere) {
  PutFile("[Form]\r\nTop=170\r\nLeft=300\r\nWidth=-500\r\nHeight=0\r\n");
  Start();
  EXPECT_EQ(Placed(*form), (Placement{300, 170, 768, 600}));
}

TEST_F(SettingsTest, AStoredTextMatchesAPresetOnlyByItsExactCaption) {
  PutFile("[Settings]\r\nNumChars=16\r\nNumPasswords=100\r\n");
  Start();
  EXPECT_TRUE(form->RadioButton2.Checked());
  EXPECT_FALSE(form->RadioButton1.Checked());
  EXPECT_FALSE(form->RadioButton9.Checked());
  EXPECT_TRUE(form->RadioButton8.Checked());
  EXPECT_FALSE(form->RadioButton10.Checked());
  Stop();

  for (const char* text : {"08", "17", "abc", "16.0", "+16"}) {
    Clean();
    PutFile(std::string("[Settings]\r\nNumChars=") + text + "\r\nNumCharsCustom=17\r\n");
    Start();
    EXPECT_TRUE(form->RadioButton9.Checked()) << text;
    EXPECT_FALSE(form->RadioButton1.Checked()) << text;
    EXPECT_FALSE(form->RadioButton2.Checked()) << text;
    EXPECT_EQ(form->Edit2.Text(), "17") << text;  // the stored text never goes into the field
    Stop();
  }
}

TEST_F(SettingsTest, ACustomValueEqualToAPresetComesBackAsThatPreset) {
  Start();
  form->RadioButton9.SetChecked(true);
  form->Edit2.SetText("8");
  form->RadioButton10.SetChecked(true);
  form->Edit3.SetText("1,000");
  Restart();
  EXPECT_EQ(Stored("Settings", "NumChars"), "8");
  EXPECT_EQ(Stored("Settings", "NumPasswords"), "1,000");
  EXPECT_EQ(Stored("Settings", "NumPasswordsCustom"), "1000");
  EXPECT_TRUE(form->RadioButton1.Checked());
  EXPECT_FALSE(form->RadioButton9.Checked());
  EXPECT_TRUE(form->RadioButton10.Checked());
  EXPECT_EQ(form->UpDown2.Position(), 1000);
  EXPECT_EQ(form->Edit3.Text(), "1,000");
}

TEST_F(SettingsTest, SpinnerPositionsReadEveryNumberFormAndAreCutTo16Bits) {
  const std::pair<const char*, const char*> cases[] = {
      {"0x10", "16"}, {"$10", "16"}, {"x10", "16"}, {"0X10", "16"},   {"65537", "1"},
      {"40000", "1"}, {"0x", "8"},   {"12 x", "8"}, {"0x7FFF", "100"}};
  for (const auto& [stored, shown] : cases) {
    Clean();
    PutFile(std::string("[Settings]\r\nNumCharsCustom=") + stored + "\r\n");
    Start();
    EXPECT_EQ(form->Edit2.Text(), shown) << stored;
    Stop();
  }
}

TEST_F(SettingsTest, LengthAndCountComeBackWithinTheirBoundsTheGroupSizeAsStored) {
  PutFile(
      "[Settings]\r\nNumCharsCustom=32767\r\nNumPasswordsCustom=-1\r\nFormatStringCustom=2000\r\n");
  Start();
  EXPECT_EQ(form->Edit2.Text(), "100");
  EXPECT_EQ(form->Edit3.Text(), "1");
  form->RadioButton10.SetChecked(true);
  form->Edit3.SetText("5000");  // typed, the field never left: stored at the bound
  ASSERT_TRUE(Close());
  EXPECT_EQ(Stored("Settings", "NumCharsCustom"), "100");
  EXPECT_EQ(Stored("Settings", "NumPasswords"), "1,000");
  EXPECT_EQ(Stored("Settings", "FormatStringCustom"), "2000");
}

TEST_F(SettingsTest, AFieldThatCannotBeReadGivesTheSpinnersLastPositionToGenerateAndTheFile) {
  Start();
  form->RadioButton9.SetChecked(true);
  for (TUpDown* spinner : {&form->UpDown1, &form->UpDown2, &form->UpDown3}) {
    spinner->SetPosition(8);
    for (int up = 0; up < 2; ++up) SendMessageA(spinner->Associate->Handle, WM_KEYDOWN, VK_UP, 0);
    spinner->Associate->SetText("x");
  }
  SendMessageA(form->Button1.Handle, BM_CLICK, 0, 0);
  EXPECT_EQ(form->Memo1.Text().size(), 12u);  // ten characters and the line break
  ASSERT_TRUE(Close());
  for (const char* key : {"NumCharsCustom", "NumPasswordsCustom", "FormatStringCustom"})
    EXPECT_EQ(Stored("Settings", key), "10") << key;
}

TEST_F(SettingsTest, BooleansAreNonZeroNumbersAndOtherTextKeepsTheCurrentState) {
  PutFile(
      "[Settings]\r\nUseNumbers=2\r\nUseSpecial=-1\r\nUseUpperCase=yes\r\nUseLowerCase=yes\r\n"
      "NoSimilar=0x1\r\nCustom=0\r\nClearOnExit=1\r\n");
  Start();
  EXPECT_TRUE(form->CheckBox3.Checked());
  EXPECT_TRUE(form->CheckBox4.Checked());
  EXPECT_FALSE(form->CheckBox2.Checked());  // "yes": default, unchecked
  EXPECT_TRUE(form->CheckBox1.Checked());   // "yes": default, checked
  EXPECT_TRUE(form->CheckBox5.Checked());
  EXPECT_FALSE(form->CheckBox7.Checked());
  EXPECT_TRUE(form->CheckBox8.Checked());
  EXPECT_FALSE(form->CheckBox6.Checked());  // no "AutoCopy" key at all
}

TEST_F(SettingsTest, AClearingTimeNoMenuItemHasMeansNever) {
  for (const char* stored : {"30", "7", "-10", "abc", "30s"}) {
    Clean();
    PutFile(std::string("[Settings]\r\nClearClipboardAfter=") + stored + "\r\n");
    Start();
    EXPECT_EQ(form->ClearClipboardSeconds(), std::string(stored) == "30" ? 30 : 0) << stored;
    Stop();
  }
}

TEST_F(SettingsTest, AnyFormatStringButZeroSelectsGroupsOf) {
  const std::pair<const char*, bool> cases[] = {{"FormatString=\r\n", true},
                                                {"FormatString=2\r\n", true},
                                                {"FormatString=00\r\n", true},
                                                {"FormatString=0\r\n", false},
                                                {"", false}};
  for (const auto& [line, groups] : cases) {
    Clean();
    PutFile(std::string("[Settings]\r\n") + line);
    Start();
    EXPECT_EQ(form->RadioButton21.Checked(), groups) << line;
    EXPECT_EQ(form->RadioButton17.Checked(), !groups) << line;
    Stop();
  }
}

TEST_F(SettingsTest, AnUnknownSchemeLeavesDefaultAndTheNextCloseWritesZero) {
  PutFile("[Settings]\r\nColorScheme=7\r\n");
  Start();
  EXPECT_TRUE(form->mniDefault.Checked());
  EXPECT_EQ(form->Panel1.Color, clBtnFace);
  ASSERT_TRUE(Close());
  EXPECT_EQ(Stored("Settings", "ColorScheme"), "0");
}

TEST_F(SettingsTest, AStoredSchemeIsAppliedAtStart) {
  PutFile("[Settings]\r\nColorScheme=2\r\n");
  Start();
  EXPECT_TRUE(form->mniGray.Checked());
  EXPECT_FALSE(form->mniDefault.Checked());
  EXPECT_EQ(form->Panel1.Color, 0x00808080u);
  ASSERT_TRUE(Close());
  EXPECT_EQ(Stored("Settings", "ColorScheme"), "2");
}

TEST_F(SettingsTest, AnOverLongValueComesBackCutTo2047Characters) {
  const std::string custom(3000, 'q');
  PutFile("[Settings]\r\nCustomMemo=" + custom + "\r\n");
  Start();
  EXPECT_EQ(form->Memo2.Text(), custom.substr(0, 2047));
}

TEST_F(SettingsTest, CustomSetsWithQuotesOrEdgeBlanksSurviveARestart) {
  for (const std::string custom : {"\"abc\"", "'abc'", "  a b  ", "\"", "x\"", " \"q\" ", "   "}) {
    Clean();
    Start();
    form->CheckBox7.SetChecked(true);
    form->Memo2.SetText(custom);
    Restart();
    EXPECT_EQ(form->Memo2.Text(), custom) << "[" << custom << "]";
    EXPECT_TRUE(form->CheckBox7.Checked());
    Stop();
  }
}

TEST_F(SettingsTest, AMultiLineCustomSetIsWrittenAsOneLineAndNoTypedLineBecomesAKey) {
  Start();
  form->Memo2.SetText("ab\r\n[Form]\r\nAutoCopy=1\r\nTop=5\nz\r");
  Restart();
  EXPECT_EQ(Stored("Settings", "CustomMemo"), "ab[Form]AutoCopy=1Top=5z");
  EXPECT_EQ(form->Memo2.Text(), "ab[Form]AutoCopy=1Top=5z");
  EXPECT_FALSE(form->CheckBox6.Checked());
  EXPECT_EQ(Bounds(*form).top, 160);
  const std::string text = FileText();
  EXPECT_EQ(text.rfind("[Form]\r\n", 0), 0u) << text;
  EXPECT_EQ(text.find("\n[Form]"), std::string::npos) << text;  // no second section line
  EXPECT_EQ(text.find("\nAutoCopy=1"), std::string::npos) << text;
}

TEST_F(SettingsTest, OptionsAndSchemeComeBackAfterARestart) {
  Start();
  form->RadioButton13.SetChecked(true);
  form->RadioButton10.SetChecked(true);
  form->UpDown2.SetPosition(37);
  form->CheckBox1.SetChecked(false);
  form->CheckBox3.SetChecked(true);
  form->CheckBox5.SetChecked(true);
  form->CheckBox6.SetChecked(true);
  form->RadioButton21.SetChecked(true);
  form->UpDown3.SetPosition(5);
  form->mniYellowClick();
  SendMessageA(form->Handle, WM_COMMAND, form->mniAtLeastOneOfEach.Id, 0);
  form->LeaveOutCharacters = " \"'\\ ";
  form->SetClearClipboardSeconds(300);
  form->PassphraseOptions = {4, " ", true, true, 250, ""};
  form->SetBounds(40, 50, 740, 560);
  Restart();
  EXPECT_NE(FileText().find("\r\nPassphraseSeparator=\" \"\r\n"), std::string::npos);
  const PassphraseRequest& p = form->PassphraseOptions;
  EXPECT_EQ(std::tie(p.Words, p.Separator, p.Capitalize, p.AddDigit, p.Count),
            std::make_tuple(4, std::string(" "), true, true, 250));
  EXPECT_TRUE(form->mniAtLeastOneOfEach.Checked());
  EXPECT_EQ(form->LeaveOutCharacters, " \"'\\ ");
  EXPECT_TRUE(form->mniClear5m.Checked());
  EXPECT_TRUE(form->RadioButton13.Checked());
  EXPECT_FALSE(form->RadioButton1.Checked());
  EXPECT_TRUE(form->RadioButton10.Checked());
  EXPECT_EQ(form->Edit3.Text(), "37");
  EXPECT_FALSE(form->CheckBox1.Checked());
  EXPECT_TRUE(form->CheckBox3.Checked());
  EXPECT_TRUE(form->CheckBox5.Checked());
  EXPECT_TRUE(form->CheckBox6.Checked());
  EXPECT_TRUE(form->RadioButton21.Checked());
  EXPECT_EQ(form->Edit4.Text(), "5");
  EXPECT_TRUE(form->mniYellow.Checked());
  EXPECT_EQ(Placed(*form), (Placement{40, 50, 740, 560}));
}

TEST_F(SettingsTest, PassphraseNumbersBeyondTheBoxsRangeTakeItsEndsAndBadValuesTheDefaults) {
  PutFile("[Settings]\r\nPassphraseWords=-5\r\nPassphraseSeparator=12345678901\r\n"
          "PassphraseCapitalize=yes\r\nPassphraseDigit=1\r\nPassphraseCount=5000\r\n");
  Start();
  const PassphraseRequest& p = form->PassphraseOptions;
  EXPECT_EQ(std::tie(p.Words, p.Separator, p.Capitalize, p.AddDigit, p.Count),
            std::make_tuple(3, std::string("-"), false, true, 1000));
}

TEST_F(SettingsTest, ForeignSectionsKeysAndLinesSurviveAClose) {
  PutFile("; my notes\r\n[Mine]\r\nkeep=this\r\n[Settings]\r\nExtra=1\r\nNumChars=12\r\n");
  Start();
  ASSERT_TRUE(Close());
  const std::string text = FileText();
  EXPECT_EQ(text.rfind("; my notes\r\n[Mine]\r\nkeep=this\r\n", 0), 0u) << text;
  EXPECT_EQ(Stored("Settings", "Extra"), "1");
  EXPECT_EQ(Stored("Settings", "NumChars"), "12");
}

TEST_F(SettingsTest, AMaximisedWindowStoresItsOuterRectangleAMinimisedOneItsNormalBounds) {
  Start();
  form->Show(SW_MAXIMIZE);
  ASSERT_TRUE(IsZoomed(form->Handle));
  const RECT maximised = Bounds(*form);
  ASSERT_TRUE(Close());
  EXPECT_EQ(Stored("Form", "Left"), std::to_string(maximised.left));
  EXPECT_EQ(Stored("Form", "Width"), std::to_string(maximised.right - maximised.left));
  EXPECT_EQ(Stored("Form", "Height"), std::to_string(maximised.bottom - maximised.top));
  Stop();

  Clean();
  Start();
  form->SetBounds(100, 120, 760, 540);
  form->Show(SW_SHOWMINIMIZED);
  ASSERT_TRUE(IsIconic(form->Handle));
  ASSERT_TRUE(Close());
  EXPECT_EQ(Stored("Form", "Left"), "100");
  EXPECT_EQ(Stored("Form", "Top"), "120");
  EXPECT_EQ(Stored("Form", "Width"), "760");
  EXPECT_EQ(Stored("Form", "Height"), "540");
}

// A window that could never be closed would be worse than options not kept.
TEST_F(SettingsTest, AFailedWriteIsShownAndTheWindowClosesAnyway) {
  Start();
  // As root Wine writes read-only files anyway; a folder in the file's place always refuses.
  ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
  BoxWatcher watcher;
  EXPECT_TRUE(Close());
  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "Unable to write to " + path + ".");
  EXPECT_EQ(seen[0].caption, ApplicationTitle());
  RemoveDirectoryA(path.c_str());
}

TEST_F(SettingsTest, AFailedWriteStillEmptiesTheClipboardWhenAskedTo) {
  Start();
  form->CheckBox8.SetChecked(true);
  ClipboardSetText("a password", false);
  ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
  BoxWatcher watcher;
  EXPECT_TRUE(Close());
  EXPECT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(RawClipboardBytes(), std::string(1, '\0'));
  RemoveDirectoryA(path.c_str());
}

TEST_F(SettingsTest, AtTheSessionsEndAFailedWriteShowsNothingAndADueClearingIsDone) {
  Start();
  form->CheckBox6.SetChecked(true);
  form->SetClearClipboardSeconds(300);
  SendMessageA(form->Button1.Handle, BM_CLICK, 0, 0);
  ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
  BoxWatcher watcher;
  SendMessageA(form->Handle, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_TRUE(watcher.Seen().empty());
  EXPECT_FALSE(ClipboardHasText());
  RemoveDirectoryA(path.c_str());
}

const char* const kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const kUserShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

TEST_F(SettingsTest, WithoutAnAppDataValueTheSystemsRoamingFolderHoldsTheSettings) {
  const KeptRegistryValue none(HKEY_CURRENT_USER, kShellFolders, "AppData");
  none.Remove();
  Start();
  EXPECT_EQ(SettingsFolder, AnsiToWide(folder));
}

TEST_F(SettingsTest, ADriveARootOrARelativeAppDataValueCountsAsNone) {
  for (const wchar_t* value :
       {L"C:", L"C:\\", L"Roaming", L"C:\\.", L"C:\\users\\..", L"\\\\?\\C:\\", L"\\\\.\\C:\\"}) {
    const KeptRegistryValue odd(HKEY_CURRENT_USER, kShellFolders, "AppData");
    odd.SetText(value, REG_EXPAND_SZ);
    Start();
    EXPECT_EQ(SettingsFolder, AnsiToWide(folder)) << value;
    Stop();
  }
}

// "Дата" has no spelling in the ANSI code page: the settings go to that folder all the same.
TEST_F(SettingsTest, AnAppDataFolderTheCodePageCannotSpellKeepsTheOptions) {
  const std::wstring appData =
      AnsiToWide(StripTrailingSlash(FolderOfPath(StripTrailingSlash(folder)))) +
      L"\\\u0414\u0430\u0442\u0430";
  const std::wstring file = appData + L"\\Quorvel\\quorvel.ini";
  const KeptRegistryValue cyrillic(HKEY_CURRENT_USER, kShellFolders, "AppData");
  cyrillic.SetText(appData, REG_EXPAND_SZ);
  Start();
  EXPECT_EQ(SettingsFolder, appData + L"\\Quorvel\\");
  form->CheckBox6.SetChecked(true);
  BoxWatcher watcher;
  EXPECT_TRUE(Close());
  EXPECT_TRUE(watcher.Seen().empty());
  Stop();
  Start();
  EXPECT_TRUE(form->CheckBox6.Checked());
  Stop();
  const std::string text = ReadWholeFile(file);
  EXPECT_EQ(text.rfind("[Form]\r\nTop=", 0), 0u);
  DeleteFileW(file.c_str());
  RemoveDirectoryW((appData + L"\\Quorvel").c_str());
  RemoveDirectoryW(appData.c_str());
}

TEST_F(SettingsTest, WithNoApplicationDataFolderAtAllTheDefaultsRunAndNothingIsSaved) {
  const KeptRegistryValue none(HKEY_CURRENT_USER, kShellFolders, "AppData");
  none.Remove();
  const KeptRegistryValue nowhere(HKEY_CURRENT_USER, kUserShellFolders, "AppData");
  nowhere.SetText(L"C:\\no such application data", REG_EXPAND_SZ);
  PutFile("[Settings]\r\nNumChars=16\r\n");  // where it would be with the folder
  Start();
  EXPECT_EQ(SettingsFolder, L"");
  EXPECT_TRUE(form->RadioButton1.Checked());
  BoxWatcher watcher;
  EXPECT_TRUE(Close());
  EXPECT_TRUE(watcher.Seen().empty());
  EXPECT_EQ(GetFileAttributesA("\\Quorvel"), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
