#pragma once

#include "engine/commandline.h"
#include "engine/customisationrequest.h"
#include "engine/desktopinireader.h"
#include "engine/folderdresser.h"
#include "forms/form1view.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace engine
{
class Settings;
}

namespace forms
{

// The filters that the icon-source switch puts into the shared chooser.
inline constexpr const char *kStartFilter =
    "*.ico;*.cur;*.ani;*.bmp;*.wmf;*.emf|*.ico;*.cur;*.ani;*.bmp;*.jpg;*.gif;*.wmf;*.emf|";
inline constexpr const char *kPictureFilter = "*.ico;*.cur;*.ani;*.bmp;*.jpg;*.gif;*.wmf;*.emf|*."
                                              "ico;*.cur;*.ani;*.bmp;*.jpg;*.gif;*.wmf;*.emf|";
inline constexpr const char *kLibraryFilter = "*.dll;*.exe;*.ocx|*.dll;*.exe;*.ocx|";

// The state that the icon, picture and colour choosers share between uses (the common dialog CD1).
struct ChooserState {
    std::string fileName;              // the file name last chosen; empty until one is chosen
    std::string filter = kStartFilter; // in the "description|patterns|" form
    std::uint32_t colour = 0;          // the colour last chosen, 0x00BBGGRR (black at start)
};

// What the main window does, for any front-end: the fields' reactions, the choosers, the apply and
// remove commands with their checks and messages, and reading a folder back into the fields.
class Form1Logic
{
public:
    Form1Logic(Form1View &view, engine::Settings &settings);

    // Form_Load: the stored options, the copy-icon tick, the single-copy rule. False when another
    // copy runs and only one may: the message is shown and this copy must end showing nothing.
    bool load(bool anotherCopyRunning);

    engine::CustomisationRequest request() const; // what the controls hold now
    Form4Logic &options(); // the options dialog; its stored options are loaded on first use
    engine::IconSource iconSource() const { return m_source; }
    const ChooserState &chooser() const { return m_CD1; }
    // Sets the fields that the switches name, through the same reactions as the user's changes.
    void applyCommandLine(const engine::CommandLineRequest &parsed);
    // Puts what a folder's "desktop.ini" held into the fields.
    void applyFolderIni(const engine::FolderIniOutcome &outcome);
    // Applies the request; a long run shows its count and can be stopped.
    engine::MakeIconResult makeicon();
    // Removes the customisation: "0" the selected folder, "1" every folder of the list.
    void delicon(const std::string &scope);

    // The user's changes, as the front-end reports them.
    void Check_Click();              // a make box changed: rebuilds Command3's caption
    void textChanged(Form1Text box); // Text2, Text4, Text5 tick their make box when not empty
    void selectIconSource(engine::IconSource source); // Option1/Option2 and their menu items
    void copyIconClicked(bool on); // mnuFileCopyIcon: stored, unlike a switch's tick
    void Text1_Click();            // a folder became current: read its customisation
    void Command1_Click();         // the folder picker
    void Command2_Click();         // choose the icon file
    void Command3_Click();         // apply
    void Command4_Click();         // remove
    void Command6_Click();         // browse the icons of the library file
    void Command10_Click();        // choose the background picture
    void Command11_Click();        // choose the name colour
    void mnuDireditlist_Click();
    void mnuPrefOpt_Click();
    void mnuAbout_Click();
    void mnuLngSel_Click();

    static std::string caption();   // "Ravo ver. 2.0." and the revision
    static std::string aboutText(); // the about box's seven CR-joined lines
    // "Готово папок: 3 из 20": the words of the progress box and of the stop report.
    static std::string countText(std::size_t done, std::size_t total);
    // What a stopped run reports (empty for a run that reached its end).
    static std::string stopReport(const engine::PassCount &pass);

private:
    // The logic's own changes, with the follow-ups a user's change would have.
    void setText(Form1Text box, const std::string &text);
    void setTick(Form1Tick tick, bool on);
    std::optional<std::string> chooseFile();
    bool confirmInputs();
    bool applyWithReport();
    void showPathWarnings(const std::vector<std::string> &warnings);
    void browseLibrary();
    void showError(const std::string &text);

    Form1View &m_view;            // the window the logic drives
    engine::Settings &m_settings; // the per-user options store
    ChooserState m_CD1;           // shared by the icon, picture and colour choices
    engine::IconSource m_source = engine::IconSource::File; // Option1 / Option2
    bool m_optionsLoaded = false; // the options dialog exists and holds the stored options
};

} // namespace forms
