// The main window's layout: controls, actions, menu, tool bar and status bar as tables.
#include "ui/Main.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/Owned.h"
#include "framework/StartupPhases.h"
#include "framework/core/Product.h"

namespace {
// Font of the window and its controls; the list uses a fixed-pitch one.
constexpr BYTE kCharset = RUSSIAN_CHARSET;
constexpr int kPanelHeight = 339;
constexpr int kListLinesAtLeast = 3;
constexpr int kSpinnerField = 46;

// Height of a multi-line field that shows this many whole lines of its font.
int HeightForLines(HWND memo, int lines) {
  TEXTMETRICA metrics{};
  {
    const HDC dc = GetDC(memo);
    const auto release = WindowDcGuard(memo, dc);
    const auto selected =
        SelectedFor(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(memo, WM_GETFONT, 0, 0)));
    GetTextMetricsA(dc, &metrics);
  }
  RECT window, client, format{};
  GetWindowRect(memo, &window);
  GetClientRect(memo, &client);
  SendMessageA(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  const int frame = (window.bottom - window.top) - (client.bottom - client.top);
  return frame + 2 * std::max(0L, format.top) + lines * metrics.tmHeight;
}
}  // namespace

TSDIAppForm::TSDIAppForm() : TForm("TSDIAppForm") {
  Caption = TALLOWMERE_TITLE;
  Left = 326;
  Top = 160;
  Width = 768;
  Height = 600;
  Color = clBtnFace;
  FirstFocus = &Button1;
  Panel1.Color = clBtnFace;
  UpDown1.Associate = &Edit2;
  UpDown1.Min = 1, UpDown1.Max = 100, UpDown1.Initial = 8;
  UpDown2.Associate = &Edit3;
  UpDown2.Min = 1, UpDown2.Max = 1000, UpDown2.Initial = 1;
  // No file and no typing takes the length or the count beyond the window's bounds; the group
  // size keeps its "0 or less: no groups".
  UpDown1.KeepInRange = UpDown2.KeepInRange = true;
  UpDown3.Associate = &Edit4;
  UpDown3.Min = 1, UpDown3.Max = 1000, UpDown3.Initial = 4;
  // Each group's presets in the order Generate tests them.
  LengthGroup.Presets = {&RadioButton1,  &RadioButton2,  &RadioButton3, &RadioButton4,
                         &RadioButton11, &RadioButton13, &RadioButton12};
  LengthGroup.Custom = &RadioButton9, LengthGroup.Spinner = &UpDown1, LengthGroup.Default = 8;
  CountGroup.Presets = {&RadioButton5, &RadioButton6,  &RadioButton14, &RadioButton15,
                        &RadioButton7, &RadioButton16, &RadioButton8};
  CountGroup.Custom = &RadioButton10, CountGroup.Spinner = &UpDown2, CountGroup.Default = 1;
}

// The hidden print buffer is made on the first print: the rich-text library it needs would take a
// noticeable share of every start to load.
HWND TSDIAppForm::PrintBuffer() {
  if (!RichEdit1.Handle) CreateControl({&RichEdit1, nullptr, "", 0, 0, 100, 100});
  return RichEdit1.Handle;
}

void TSDIAppForm::CreateControls() {
  Font = CreateUiFont("MS Sans Serif", 8, kCharset);
  ImageList1 = LoadImageStrip("IMAGELIST", 16);
  ImageList3 = LoadImageStrip("IMAGELIST", 32);
  StartupPhaseDone("fonts and image lists");
  CreateActions();
  CreateMenu();
  StartupPhaseDone("actions and menu");

  ToolBar1.Create(Handle, ImageList3, {39, 38}, 46,
                  {{&FileNew1},
                   {&FileOpen1},
                   {&FileSave1},
                   {nullptr, 8},
                   {&EditCut1},
                   {&EditCopy1},
                   {&EditPaste1}},
                  Font, Dpi);
  ToolBar = &ToolBar1;

  // Creation order is the tab order: the options panel, then the list.
  std::vector<ControlDef> table = {
      {&Panel1, nullptr, "", 0, 46, 760, kPanelHeight},
      {&Button1, &Panel1, "Generate", 8, 300, 75, 25},

      {&GroupBox1, &Panel1, "Password length", 8, 8, 137, 225},
      {&RadioButton1, &GroupBox1, "8", 8, 14, 113, 17, true},
      {&RadioButton3, &GroupBox1, "10", 8, 38, 113, 17},
      {&RadioButton4, &GroupBox1, "12", 8, 62, 113, 17},
      {&RadioButton2, &GroupBox1, "16", 8, 85, 113, 17},
      {&RadioButton11, &GroupBox1, "20", 8, 109, 113, 17},
      {&RadioButton13, &GroupBox1, "24", 8, 133, 113, 17},
      {&RadioButton12, &GroupBox1, "30", 8, 157, 113, 17},
      {&RadioButton9, &GroupBox1, "Custom", 8, 189, 57, 17},
      // The spinners' fields show every value whole, down to "-32768" from a hand-edited
      // settings file: wider than the 33 pixels of a two-digit field, the spinners moved along.
      {&Edit2, &GroupBox1, "8", 72, 186, kSpinnerField, 21},
      {&UpDown1, &GroupBox1, "", 72 + kSpinnerField, 186, 15, 21},

      {&GroupBox2, &Panel1, "Password characters", 152, 8, 225, 225},
      {&CheckBox1, &GroupBox2, "lowercase letters (a..z)", 8, 16, 209, 17, true},
      {&CheckBox2, &GroupBox2, "UPPERcase letters (A..Z)", 8, 40, 209, 17},
      {&CheckBox3, &GroupBox2, "Numbers (0..9)", 8, 64, 209, 17},
      {&CheckBox4, &GroupBox2, "Special symbols (-..+)", 8, 88, 209, 17},
      {&CheckBox5, &GroupBox2, "No similar characters: (e.g. i, l, o, 1, 0, I)", 8, 112, 209, 17},
      {&CheckBox7, &GroupBox2, "Custom characters:", 8, 136, 209, 17},
      {&Memo2, &GroupBox2, "", 8, 160, 201, 49},

      {&GroupBox3, &Panel1, "Number of passwords ", 392, 8, 145, 225},
      {&RadioButton5, &GroupBox3, "1", 8, 14, 113, 17, true},
      {&RadioButton6, &GroupBox3, "3", 8, 38, 113, 17},
      {&RadioButton14, &GroupBox3, "5", 8, 62, 113, 17},
      {&RadioButton15, &GroupBox3, "8", 8, 86, 113, 17},
      {&RadioButton7, &GroupBox3, "10", 8, 110, 113, 17},
      {&RadioButton16, &GroupBox3, "20", 8, 134, 113, 17},
      {&RadioButton8, &GroupBox3, "100", 8, 158, 113, 17},
      {&RadioButton10, &GroupBox3, "Custom", 8, 189, 57, 17},
      {&Edit3, &GroupBox3, "1", 72, 186, kSpinnerField, 21},
      {&UpDown2, &GroupBox3, "", 72 + kSpinnerField, 186, 15, 21},

      {&Button2, &Panel1, "Clear", 88, 300, 75, 25},
      {&CheckBox6, &Panel1, "Auto-copy to clipboard", 8, 248, 225, 17},
      {&CheckBox8, &Panel1, "Clear clipboard on exit", 8, 272, 225, 17},

      {&GroupBox4, &Panel1, "Format", 552, 8, 145, 225},
      {&RadioButton17, &GroupBox4, "No groups", 8, 14, 113, 17, true},
      // Its caption's width, so that the wider field and its spinner stay inside the group.
      {&RadioButton21, &GroupBox4, "Groups of", 8, 37, 72, 17},
      {&Edit4, &GroupBox4, "4", 80, 34, kSpinnerField, 21},
      {&UpDown3, &GroupBox4, "", 80 + kSpinnerField, 34, 15, 21},

      {&Memo1, nullptr, "", 0, 385, 760, 150, false, WS_VSCROLL},
  };
  CreateTable(table);
  SubclassList();

  SendMessageA(Memo1.Handle, WM_SETFONT,
               reinterpret_cast<WPARAM>(CreateUiFont("Courier New", 10, kCharset)), FALSE);

  StatusBar.Create(Handle, 19, Font, Dpi);
  TForm::StatusBar = &StatusBar;

  Button1.OnClick = [this] { Button1Click(); };
  Button2.OnClick = [this] { Button2Click(); };
}

void TSDIAppForm::CreateActions() {
  struct ActionDef {
    TAction* action;
    const char* caption;
    const char* hint;
    WORD shortcut;
    int image;
  };
  const ActionDef actions[] = {
      {&FileNew1, "&New", "New|Create a new file", scCtrl + 'N', 6},
      {&FileOpen1, "&Open", "Open|Open a file", scCtrl + 'O', 7},
      {&FileSave1, "&Save", "Save|Save current file", scCtrl + 'S', 8},
      {&FileSaveAs1, "Save &As...", "Save As|Save current file with different name", 0, -1},
      {&FileExit1, "E&xit", "Exit|Exit application", 0, -1},
      {&EditCut1, "Cu&t", "Cut|Cuts the selection and puts it on the Clipboard", scCtrl + 'X', 0},
      {&EditCopy1, "&Copy", "Copy|Copies the selection and puts it on the Clipboard", scCtrl + 'C',
       1},
      {&EditPaste1, "&Paste", "Paste|Inserts Clipboard contents", scCtrl + 'V', 2},
      {&Generate1, "Generate", "Generate|Generate passwords", VK_F5, -1},
      {&GenerateStop1, "Stop", "Stop|Stops making passwords", VK_ESCAPE, -1},
      {&HelpAbout1, "&About...",
       "About|Displays program information, version number, and copyright", 0, -1},
  };
  for (const ActionDef& d : actions) {
    d.action->Caption = d.caption;
    d.action->Hint = d.hint;
    d.action->ShortCut = d.shortcut;
    d.action->ImageIndex = d.image;
    ActionList1.Add(*d.action);
  }
  FileNew1.OnExecute = [this] { FileNew1Execute(); };
  FileOpen1.OnExecute = [this] { FileOpen1Execute(); };
  FileSave1.OnExecute = [this] { FileSave1Execute(); };
  FileSaveAs1.OnExecute = [this] { FileSaveAs1Execute(); };
  FileExit1.OnExecute = [this] { FileExit1Execute(); };
  HelpAbout1.OnExecute = [this] { HelpAbout1Execute(); };
  Generate1.OnExecute = [this] { Button1Click(); };
  GenerateStop1.OnExecute = [this] { StopGenerating(); };
  GenerateStop1.OnUpdate = [this](TAction& stop) { stop.Enabled = Generating(); };
  EditCut1.OnExecute = [] { ExecuteEditMessage(WM_CUT); };
  EditCopy1.OnExecute = [] { ExecuteEditMessage(WM_COPY); };
  EditPaste1.OnExecute = [] { ExecuteEditMessage(WM_PASTE); };
  EditCut1.OnUpdate = UpdateEditCut;
  EditCopy1.OnUpdate = UpdateEditCopy;
  EditPaste1.OnUpdate = UpdateEditPaste;
  EditCut1.Enabled = EditCopy1.Enabled = false;
  Actions = &ActionList1;
}

void TSDIAppForm::CreateMenu() {
  File1.Caption = "&File";
  File1.Hint = "File related commands";
  N1.Caption = N2.Caption = "-";
  Print1.Caption = "Print";
  Print1.OnClick = [this] { Print1Click(); };
  FileNewItem.Action = &FileNew1;
  FileOpenItem.Action = &FileOpen1;
  FileSaveItem.Action = &FileSave1;
  FileSaveAsItem.Action = &FileSaveAs1;
  FileExitItem.Action = &FileExit1;
  File1.Items = {&FileNewItem, &FileOpenItem, &FileSaveItem, &FileSaveAsItem,
                 &N1,          &Print1,       &N2,           &FileExitItem};

  Edit1.Caption = "&Edit";
  Edit1.Hint = "Edit commands";
  CutItem.Action = &EditCut1;
  CopyItem.Action = &EditCopy1;
  PasteItem.Action = &EditPaste1;
  Edit1.Items = {&CutItem, &CopyItem, &PasteItem};

  Options1.Caption = "Options";
  Colorscheme1.Caption = "Color scheme";
  AddSchemeItems();
  N3.Caption = "-";
  Options1.Items = {&Colorscheme1, &N3};
  AddOptionItems();

  Help1.Caption = "&Help";
  Help1.Hint = "Help topics";
  HelpAboutItem.Action = &HelpAbout1;
  Help1.Items = {&HelpAboutItem};

  SetMenu(Handle, MainMenu1.Build({&File1, &Edit1, &Options1, &Help1}, ImageList1));
  Menu = &MainMenu1;
}

void TSDIAppForm::Resize() {
  if (!Panel1.Handle) return;
  RECT client;
  GetClientRect(Handle, &client);
  const int top = ToolBar1.Height();
  RECT status;
  GetWindowRect(StatusBar.Handle, &status);
  const int statusHeight = status.bottom - status.top;
  Panel1.SetBounds(0, top, client.right, Scaled(kPanelHeight));
  const int listTop = top + Scaled(kPanelHeight);
  Memo1.SetBounds(0, listTop, client.right, std::max(0L, client.bottom - statusHeight - listTop));
}

SIZE TSDIAppForm::MinClientSize() {
  if (!Memo1.Handle) return {0, 0};  // asked while the window is being created
  // Every control of the panel, with the panel's margin on the right as on the left.
  LONG right = 0;
  for (const TControl* control : Panel1.Children())
    right = std::max(right, control->BoundsRect().right);
  const LONG width = right + Button1.BoundsRect().left;
  RECT status;
  GetWindowRect(StatusBar.Handle, &status);
  const LONG height = ToolBar1.Height() + Scaled(kPanelHeight) +
                      HeightForLines(Memo1.Handle, kListLinesAtLeast) +
                      (status.bottom - status.top);
  return {width, height};
}
