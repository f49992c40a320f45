// Associate ("ASSOCIATE"): registers the editor as the program that opens files of the chosen kinds.
#pragma once

#include <string>

#include "base/Profile.h"
#include "base/win32/Dialog.h"
#include "shell/Associations.h"

// Where the associations go. The current user's classes (which the classes root merges for that user) can
// be written without administrator rights, where the machine-wide root cannot.
struct TAssociationTarget {
    HKEY root = HKEY_CURRENT_USER;
    std::string base = "Software\\Classes";
};

// Writes every entry under target; on the first refused write returns false with the key it was writing.
bool WriteAssociations(const TAssociationTarget& target, unsigned checked, const std::string& openCommand,
                       std::string* failedKey);

// TAssociateFilesDlg opens with TXT, INI and INF checked and the start-up box showing AssociateDlgStartUp.
// Associate writes the checked kinds and stays open (a refused write is reported); Close stores the start-up
// box as AssociateDlgStartUp in the Settings section.
class TAssociateFilesDlg : public TDialog {
public:
    TAssociateFilesDlg(HINSTANCE instance, TProfile& settings, std::string programPath,
                       TAssociationTarget target = {});
    bool ShowAtStartUp() const { return startUp_; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;
    void OnCancel() override { Close(); }

private:
    void Associate();
    void Close();

    TProfile& settings_;
    std::string program_;
    TAssociationTarget target_;
    bool startUp_;
};

// The program's own path in short (8.3) form where the file system has one.
std::string ShortProgramPath(HINSTANCE instance);
