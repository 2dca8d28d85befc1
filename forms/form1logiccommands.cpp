// The main window's commands: apply with its checks, remove, the dialogs, the about box and the
// words of a long run.
#include "forms/form1logic.h"

#include "engine/folderio.h"
#include "engine/folderpaths.h"
#include "engine/startup.h"
#include "forms/form4logic.h"
#include "forms/form6logic.h"
#include "forms/uitext.h"

#include <cctype>
#include <iterator>
#include <memory>

namespace forms
{
namespace
{

constexpr std::size_t kShownWarnings = 15; // a longer list ends with how many more there are

// The text with its lowest-numbered marker (%1 to %99) replaced by `value` wherever it stands.
std::string withArgument(const std::string &text, const std::string &value)
{
    int lowest = 100;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '%' || !std::isdigit(static_cast<unsigned char>(text[i + 1])))
            continue;
        int number = text[i + 1] - '0';
        if (i + 2 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 2])))
            number = number * 10 + (text[i + 2] - '0');
        if (number > 0 && number < lowest)
            lowest = number;
    }
    if (lowest == 100)
        return text;
    const std::string marker = "%" + std::to_string(lowest);
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = text.find(marker); at != std::string::npos;
         at = text.find(marker, from)) {
        const std::size_t end = at + marker.size();
        // "%1" is not the start of "%12".
        if (lowest < 10 && end < text.size() &&
            std::isdigit(static_cast<unsigned char>(text[end]))) {
            result.append(text, from, end - from);
        } else {
            result.append(text, from, at - from).append(value);
        }
        from = end;
    }
    return result.append(text, from);
}

} // namespace

engine::MakeIconResult Form1Logic::makeicon()
{
    options(); // the one-or-all choice and the Windows mode live in the options dialog
    const engine::CustomisationRequest r = request();
    engine::SystemFolderIo io;
    engine::MakeIconResult result;
    {
        const std::unique_ptr<RunProgressView> progress = m_view.startProgress();
        result = engine::makeicon(r, io, progress->callback());
        progress->finish(result.pass);
    }
    if (const std::string report = stopReport(result.pass); !report.empty())
        m_view.message(MessageIcon::Information, "ravo2", report, MessageButtons::Ok);
    showPathWarnings(result.pathWarnings);
    return result;
}

// The folders are dressed all the same; the user learns which ones the share's clients see bare.
void Form1Logic::showPathWarnings(const std::vector<std::string> &warnings)
{
    if (warnings.empty())
        return;
    std::string text;
    for (std::size_t i = 0; i < warnings.size() && i < kShownWarnings; ++i)
        text += (i ? "\r" : "") + warnings[i];
    if (warnings.size() > kShownWarnings)
        text +=
            '\r' + uiText(UiText::MoreFolders) + std::to_string(warnings.size() - kShownWarnings);
    m_view.message(MessageIcon::Warning, "ravo2", text, MessageButtons::Ok);
}

void Form1Logic::delicon(const std::string &scope)
{
    const engine::CustomisationRequest r = request();
    engine::SystemFolderIo io;
    engine::PassCount pass;
    {
        const std::unique_ptr<RunProgressView> progress = m_view.startProgress();
        pass = engine::delicon(r, scope, io, progress->callback());
        progress->finish(pass);
    }
    if (const std::string report = stopReport(pass); !report.empty())
        m_view.message(MessageIcon::Information, "ravo2", report, MessageButtons::Ok);
}

std::string Form1Logic::countText(std::size_t done, std::size_t total)
{
    return withArgument(withArgument(uiText(UiText::FoldersDone), std::to_string(done)),
                        std::to_string(total));
}

std::string Form1Logic::stopReport(const engine::PassCount &pass)
{
    if (!pass.cancelled)
        return {};
    return uiText(UiText::Stopped) + '\r' + countText(pass.done, pass.total);
}

void Form1Logic::showError(const std::string &text)
{
    m_view.message(MessageIcon::Question, uiText(UiText::ErrorTitle), text, MessageButtons::Ok);
}

// The three tests, always all three in order; a failed one gives its message and follow-up.
bool Form1Logic::confirmInputs()
{
    int passed = 0;
    if (!m_view.isTicked(Form1Tick::Check2) || engine::fileexists(m_view.text(Form1Text::Text2))) {
        ++passed;
    } else {
        showError(uiText(UiText::NoIconPath));
        Command2_Click();
    }
    if (!m_view.isTicked(Form1Tick::Check3) || engine::fileexists(m_view.text(Form1Text::Text5))) {
        ++passed;
    } else {
        showError(uiText(UiText::NoPicturePath));
        Command10_Click();
    }
    if (!m_view.isTicked(Form1Tick::Check1) || !m_view.text(Form1Text::Text4).empty()) {
        ++passed;
    } else {
        showError(uiText(UiText::NoInfoTip));
        m_view.focusInfoTip();
    }
    return passed == 3;
}

void Form1Logic::Command3_Click()
{
    if (m_view.folders().empty()) {
        Command1_Click();
        return;
    }
    const bool inputsGood = confirmInputs();
    // The boxes are read again: a chooser may have ticked one meanwhile.
    const bool anything = m_view.isTicked(Form1Tick::Check1) ||
                          m_view.isTicked(Form1Tick::Check2) || m_view.isTicked(Form1Tick::Check3);
    if (!inputsGood || !anything)
        return;
    if (applyWithReport() && options().clearListOfFolders())
        m_view.clearFolders();
}

// Runs makeicon; a failure it passes on is shown and the window stays usable.
bool Form1Logic::applyWithReport()
{
    const engine::MakeIconResult result = makeicon();
    if (result.pass.cancelled)
        return false; // a stopped run keeps the list for the folders it did not reach
    if (!result.failed)
        return true;
    m_view.message(MessageIcon::Critical, "ravo2",
                   engine::startupFailureMessage(result.failedFolder, result.failure.message),
                   MessageButtons::Ok);
    return false;
}

void Form1Logic::Command1_Click()
{
    m_view.openPicker();
}

void Form1Logic::Command4_Click()
{
    m_view.removeChoiceLogic().openForRemoval();
}

void Form1Logic::mnuDireditlist_Click()
{
    m_view.openFolderList();
}

void Form1Logic::mnuPrefOpt_Click()
{
    options();
    m_view.openOptions();
}

void Form1Logic::mnuLngSel_Click()
{
    m_view.openLanguages();
}

std::string Form1Logic::aboutText()
{
    const std::string lines[] = {
        uiText(UiText::AboutProgram),
        "ravo2 developers, 2026",
        "",
        uiText(UiText::AboutVersion) + std::to_string(engine::kRevision),
        "",
        uiText(UiText::AboutNewVersion) + RAVO2_HOMEPAGE_URL,
        uiText(UiText::AboutFeedback) + RAVO2_FEEDBACK_EMAIL,
    };
    std::string text = lines[0];
    for (std::size_t i = 1; i < std::size(lines); ++i)
        text += '\r' + lines[i];
    return text;
}

void Form1Logic::mnuAbout_Click()
{
    // The about box is titled as the menu item that opens it, in whatever language it shows.
    m_view.message(MessageIcon::Information, m_view.aboutMenuCaption(), aboutText(),
                   MessageButtons::Ok);
}

} // namespace forms
