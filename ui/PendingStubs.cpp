// Temporary: commands whose files are being written. Each section goes when its file lands.
#include "ui/Main.h"

// --- settings (ui/Settings.cpp)
#include "ui/Settings.h"
std::string SettingsFolder;
void FixSettingsFolder() {}
void TSDIAppForm::LoadSettings() {}
void TSDIAppForm::SaveSettings() {}

// --- colour schemes and About box (ui/Schemes.cpp, ui/About.cpp)
void TSDIAppForm::SetScheme(int) {}
void TSDIAppForm::mniDefaultClick() {}
void TSDIAppForm::mniWhiteClick() {}
void TSDIAppForm::mniGrayClick() {}
void TSDIAppForm::mniYellowClick() {}
void TSDIAppForm::mniBlueClick() {}
void TSDIAppForm::HelpAbout1Execute() {}
#include "ui/About.h"
TAboutBox* AboutBox = nullptr;
TAboutBox::TAboutBox() : TForm("TAboutBox") {}
void TAboutBox::CreateControls() {}
