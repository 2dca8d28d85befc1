// The main window's start, its fields' reactions, the icon source, the choosers, the library
// browser and reading a folder back into the fields.
#include "forms/form1logic.h"

#include "engine/folderpaths.h"
#include "engine/settings.h"
#include "engine/startup.h"
#include "forms/form4logic.h"
#include "forms/uitext.h"
#include "vindle/client/vindleclient.h"

namespace forms
{

Form1Logic::Form1Logic(Form1View &view, engine::Settings &settings)
    : m_view(view), m_settings(settings)
{
}

bool Form1Logic::load(bool anotherCopyRunning)
{
    const Form4Logic &opts = options();
    m_view.setTicked(Form1Tick::mnuFileCopyIcon, m_settings.copyIconToFolder());
    if (anotherCopyRunning && opts.startNewCopyOfRavo()) {
        m_view.message(MessageIcon::Critical, "ravo2", "Программа уже запущена.",
                       MessageButtons::Ok);
        return false;
    }
    m_view.setCaption(caption());
    return true;
}

std::string Form1Logic::caption()
{
    return "Ravo ver. 2.0." + std::to_string(engine::kRevision);
}

Form4Logic &Form1Logic::options()
{
    Form4Logic &opts = m_view.optionsLogic();
    if (!m_optionsLoaded) {
        m_optionsLoaded = true;
        opts.loadStoredOptions(m_settings);
    }
    return opts;
}

engine::CustomisationRequest Form1Logic::request() const
{
    engine::CustomisationRequest r;
    r.targetFolders = m_view.folders();
    r.selectedFolder = m_view.currentFolder();
    r.makeIcon = m_view.isTicked(Form1Tick::Check2);
    r.makeInfoTip = m_view.isTicked(Form1Tick::Check1);
    r.makeBackground = m_view.isTicked(Form1Tick::Check3);
    r.iconPath = m_view.text(Form1Text::Text2);
    r.iconIndex = m_view.text(Form1Text::Text3);
    r.iconSource = m_source;
    r.infoTip = m_view.text(Form1Text::Text4);
    r.picturePath = m_view.text(Form1Text::Text5);
    r.nameColour = m_view.nameColour();
    r.copyIcon = m_view.isTicked(Form1Tick::mnuFileCopyIcon);
    // Until the options dialog exists its choices are the defaults.
    if (m_optionsLoaded) {
        const Form4Logic &opts = m_view.optionsLogic();
        r.onlyFirstFolder = opts.onlyFirstFolder();
        r.windowsMode = opts.windowsMode();
    }
    return r;
}

void Form1Logic::applyCommandLine(const engine::CommandLineRequest &parsed)
{
    for (const std::string &folder : parsed.folders)
        m_view.addFolder(folder);
    if (parsed.iconPath) {
        setText(Form1Text::Text2, *parsed.iconPath);
        setTick(Form1Tick::Check2, true);
    }
    if (parsed.iconIndex) {
        setText(Form1Text::Text3, *parsed.iconIndex);
        selectIconSource(engine::IconSource::Library);
    }
    if (parsed.infoTip) {
        setText(Form1Text::Text4, *parsed.infoTip);
        setTick(Form1Tick::Check1, true);
    }
    if (parsed.picturePath) {
        setText(Form1Text::Text5, *parsed.picturePath);
        setTick(Form1Tick::Check3, true);
    }
    if (parsed.colour)
        m_view.setNameColour(*parsed.colour);
    if (parsed.windowsMode)
        options().setWindowsMode(*parsed.windowsMode);
    if (parsed.copyIcon)
        m_view.setTicked(Form1Tick::mnuFileCopyIcon, true); // for this run only, not stored
}

void Form1Logic::setText(Form1Text box, const std::string &text)
{
    if (m_view.text(box) == text)
        return;
    m_view.setText(box, text);
    textChanged(box);
}

void Form1Logic::setTick(Form1Tick tick, bool on)
{
    if (m_view.isTicked(tick) == on)
        return;
    m_view.setTicked(tick, on);
    if (tick != Form1Tick::mnuFileCopyIcon)
        Check_Click();
}

void Form1Logic::Check_Click()
{
    std::string made;
    if (m_view.isTicked(Form1Tick::Check2))
        made += uiText(UiText::MakeIcon) + '\r';
    if (m_view.isTicked(Form1Tick::Check1))
        made += uiText(UiText::MakeTip) + '\r';
    if (m_view.isTicked(Form1Tick::Check3))
        made += uiText(UiText::MakeBackground);
    m_view.setApplyCaption(uiText(UiText::MakeHead) + '\r' + made);
}

void Form1Logic::textChanged(Form1Text box)
{
    const bool filled = !m_view.text(box).empty();
    switch (box) {
    case Form1Text::Text2:
        setTick(Form1Tick::Check2, filled);
        break;
    case Form1Text::Text4:
        setTick(Form1Tick::Check1, filled);
        break;
    case Form1Text::Text5:
        setTick(Form1Tick::Check3, filled);
        break;
    case Form1Text::Text3:
        break; // the index ticks nothing
    }
}

void Form1Logic::selectIconSource(engine::IconSource source)
{
    if (source != m_source) {
        m_source = source;
        m_CD1.filter = source == engine::IconSource::Library ? kLibraryFilter : kPictureFilter;
    }
    // Shown again even when unchanged: a toolkit may have moved a menu tick on its own.
    m_view.showIconSource(m_source);
}

void Form1Logic::copyIconClicked(bool on)
{
    // Only the user's click is stored: a switch ticks it for one run.
    m_settings.setCopyIconToFolder(on);
}

// Both file choices share the chooser's file name and filter; a cancel changes nothing.
std::optional<std::string> Form1Logic::chooseFile()
{
    std::optional<std::string> chosen = m_view.openFile(m_CD1.filter, m_CD1.fileName);
    if (chosen)
        m_CD1.fileName = *chosen;
    return chosen;
}

void Form1Logic::Command2_Click()
{
    if (const auto chosen = chooseFile()) {
        setText(Form1Text::Text2, *chosen);
        setTick(Form1Tick::Check2, true);
    }
}

void Form1Logic::Command10_Click()
{
    if (const auto chosen = chooseFile()) {
        setText(Form1Text::Text5, *chosen);
        setTick(Form1Tick::Check3, true);
    }
}

void Form1Logic::Command11_Click()
{
    if (const auto chosen = m_view.chooseColour(m_CD1.colour)) {
        m_CD1.colour = *chosen;
        m_view.setNameColour(*chosen);
    }
}

void Form1Logic::Command6_Click()
{
    if (!engine::fileexists(m_view.text(Form1Text::Text2))) {
        const Answer answer =
            m_view.message(MessageIcon::None, "ravo2",
                           uiText(UiText::NoLibrary) + '\r' + uiText(UiText::ChooseAnother),
                           MessageButtons::YesNo);
        if (answer == Answer::Yes)
            Command2_Click();
    }
    browseLibrary();
}

void Form1Logic::browseLibrary()
{
    // The component is loaded at run time; when it cannot be, the fields stay as they were.
    const vindleclient::Result browsed = vindleclient::browse(m_view.text(Form1Text::Text2));
    if (browsed.ok) {
        setText(Form1Text::Text3, browsed.index);
        return;
    }
    // The Russian sentence first; the technical detail on a line of its own for a report.
    m_view.message(MessageIcon::Critical, "ravo2",
                   uiText(UiText::BrowserFailed) + browsed.reason + '\r' + browsed.error,
                   MessageButtons::Ok);
}

void Form1Logic::Text1_Click()
{
    applyFolderIni(engine::readfolderini(m_view.currentFolder(), m_view.text(Form1Text::Text3)));
}

void Form1Logic::applyFolderIni(const engine::FolderIniOutcome &outcome)
{
    if (outcome.iconPath)
        setText(Form1Text::Text2, *outcome.iconPath);
    if (outcome.iconIndex)
        setText(Form1Text::Text3, *outcome.iconIndex);
    if (outcome.infoTip) {
        setText(Form1Text::Text4, *outcome.infoTip);
        setTick(Form1Tick::Check1, true);
    }
    if (outcome.iconSource)
        selectIconSource(*outcome.iconSource);
}

} // namespace forms
