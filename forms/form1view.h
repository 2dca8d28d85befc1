#pragma once

#include "engine/customisationrequest.h"
#include "engine/folderdresser.h"
#include "forms/folderboxview.h"
#include "forms/formprompts.h"

#include <memory>
#include <string>
#include <vector>

namespace forms
{

class Form4Logic;
class Form6Logic;

// The main window's text boxes that the logic reads and writes (Text1 is the folder box).
enum class Form1Text { Text2, Text3, Text4, Text5 };
// The main window's two-state controls: the three "make" boxes and the copy-icon menu item.
enum class Form1Tick { Check1, Check2, Check3, mnuFileCopyIcon };

// A long apply or remove as its window shows it: a count and a stop button.
class RunProgressView
{
public:
    virtual ~RunProgressView() = default;
    // The engine's callback: shows the count now and then and says whether to go on.
    virtual engine::ProgressFn callback() = 0;
    // Hides the box at the run's end; the logic then reports a stopped run (see
    // Form1Logic::stopReport).
    virtual void finish(const engine::PassCount &pass) = 0;
};

// What the main window's logic needs from a front-end's main window. Setters never call back into
// the logic; the logic performs the follow-ups of its own changes itself.
class Form1View : public FormPrompts, public FolderBoxView
{
public:
    virtual std::string text(Form1Text box) const = 0;
    virtual void setText(Form1Text box, const std::string &text) = 0;
    virtual bool isTicked(Form1Tick tick) const = 0;
    virtual void setTicked(Form1Tick tick, bool on) = 0;
    virtual std::uint32_t nameColour() const = 0; // Picture1, 0x00BBGGRR
    virtual void setNameColour(std::uint32_t colour) = 0;
    virtual void setApplyCaption(const std::string &caption) = 0; // Command3, CR-separated lines
    virtual void setCaption(const std::string &caption) = 0;      // the window's title
    // Option1/Option2, the two menu ticks and the file or library layout (frame, rows, height).
    virtual void showIconSource(engine::IconSource source) = 0;
    virtual void focusInfoTip() = 0;                  // Text4 takes the focus
    virtual std::string aboutMenuCaption() const = 0; // mnuAbout's text: the about box's title

    // The run's other windows, created hidden on first use.
    virtual Form4Logic &optionsLogic() = 0;      // the options dialog: home of the four options
    virtual Form6Logic &removeChoiceLogic() = 0; // the remove-choice dialog
    virtual void openPicker() = 0;               // Form2, modal
    virtual void openFolderList() = 0;           // Form3, modal
    virtual void openOptions() = 0;              // Form4, modal
    virtual void openLanguages() = 0;            // Form5, modal
    // A box for a run that may take a while; it shows only once the run has lasted a moment.
    virtual std::unique_ptr<RunProgressView> startProgress() = 0;
};

} // namespace forms
