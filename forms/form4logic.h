#pragma once

#include "engine/customisationrequest.h"

namespace engine
{
class Settings;
}

namespace forms
{

// The options dialog's controls.
enum class Form4Tick { Check1, Check2, Option1, Option2, Option3, Option4 };

// What the options dialog needs from a front-end's window.
class Form4View
{
public:
    virtual ~Form4View() = default;
    virtual bool isTicked(Form4Tick control) const = 0;
    virtual void setTicked(Form4Tick control, bool on) = 0; // an option button unticks its group
    virtual void hideDialog() = 0;                          // hides the dialog
};

// What the options dialog does: the run's only home of the four options, two of them stored.
class Form4Logic
{
public:
    Form4Logic(Form4View &view, engine::WindowsMode detected); // Option1 and the detected family

    void loadStoredOptions(const engine::Settings &settings); // the main window's load step
    bool clearListOfFolders() const;                          // Check1
    bool startNewCopyOfRavo() const;                          // Check2
    bool onlyFirstFolder() const;                             // Option2
    engine::WindowsMode windowsMode() const;                  // Option3 → Xp, Option4 → Nt9x
    void setWindowsMode(engine::WindowsMode mode);            // the command line's "-wv"

    void Command1_Click(); // "ОК": stores the two check boxes, then hides
    void Command2_Click(); // "Отмена": hides; what was changed stays in effect, unstored

private:
    Form4View &m_view; // the dialog's window
};

} // namespace forms
