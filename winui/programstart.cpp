#include "winui/programstart.h"

#include "engine/commandline.h"
#include "engine/commandlinerun.h"
#include "engine/folderswitches.h"
#include "engine/messages.h"
#include "engine/settings.h"
#include "engine/startup.h"
#include "platform/settingsstore.h"
#include "platform/singlecopy.h"
#include "winui/form1.h"
#include "winui/prompter.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <exception>
#include <iostream>
#include <sstream>

namespace winui
{
namespace
{

// COM for the component's browser, which lives in this thread's apartment.
class ComApartment
{
public:
    ComApartment() : m_ok(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment()
    {
        if (m_ok)
            CoUninitialize();
    }
    ComApartment(const ComApartment &) = delete;
    ComApartment &operator=(const ComApartment &) = delete;

private:
    bool m_ok;
};

// A copy that runs beside the first takes the name over once the first has ended, so that a copy
// started later still finds one running.
constexpr UINT kFollowMs = 1000;
platform::SingleCopyName *following = nullptr;

void CALLBACK claimAfterHolder(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (following == nullptr || following->claim() != platform::SingleCopyName::Claim::Later) {
        KillTimer(nullptr, timer);
        following = nullptr;
    }
}

void showMessage(HWND owner, const std::string &text)
{
    Prompter::instance().message(owner, forms::MessageIcon::None, "ravo2", text,
                                 forms::MessageButtons::Ok);
}

void showStartupFailure(HWND owner, const std::string &commandLine, const std::string &description,
                        const std::string &failedFolder = {})
{
    showMessage(owner, engine::startupFailureMessage(commandLine, description, failedFolder));
}

// Until the main window closes; Tab and the arrow keys move between its controls.
int messageLoop(const Form1 &form)
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form.hwnd() != nullptr && IsDialogMessageW(form.hwnd(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return engine::kExitSuccess;
}

// The switch road: fill, show, dress once, end; a failure keeps the window for the user to see.
int runSwitches(Form1 &form, const std::string &commandLine, engine::CommandLineRequest parsed)
{
    // The window holds text: a value (or folder) that is not text in the locale is refused whole.
    if (const auto refused = engine::decodeTextValues(parsed, true)) {
        showMessage(nullptr, engine::Messages::undecodable(*refused));
        return engine::kExitFailure;
    }
    form.logic().applyCommandLine(parsed);
    form.show(SW_SHOWNORMAL);
    if (!form.logic().request().anythingToMake())
        return engine::kExitSuccess;
    const engine::MakeIconResult result = form.logic().makeicon();
    if (!result.failed) {
        if (const auto warning = engine::attributeWarning(result))
            std::cerr << *warning << '\n';
        return engine::kExitSuccess;
    }
    showStartupFailure(form.hwnd(), commandLine, result.failure.message, result.failedFolder);
    messageLoop(form);
    return engine::kExitFailure;
}

// A line without any switch: the run without windows words the failure, a message box shows it.
int refuseLine(const std::string &commandLine)
{
    std::ostringstream out, err;
    engine::SystemFolderIo io;
    const int status = engine::runCommandLine(commandLine, out, err, io);
    std::string text = err.str();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    showMessage(nullptr, text);
    return status;
}

int runForm(Form1 &form, const std::string &commandLine, const engine::CommandLineRequest &parsed);

int runWithForm(const std::string &commandLine, const engine::CommandLineRequest &parsed)
{
    engine::Settings settings;
    Form1 form(GetModuleHandleW(nullptr), settings);
    if (!form.create()) {
        showStartupFailure(nullptr, commandLine, "CreateWindowEx");
        return engine::kExitFailure;
    }
    // Held while the window lives: later copies find this one by it.
    platform::SingleCopyName name(platform::SettingsStore("ravo2").location());
    const bool another = name.claim() == platform::SingleCopyName::Claim::Later;
    if (!form.logic().load(another)) {
        name.askToActivate();
        return engine::kExitFailure;
    }
    UINT_PTR follow = 0;
    if (another) {
        following = &name;
        follow = SetTimer(nullptr, 0, kFollowMs, claimAfterHolder);
    }
    const int status = runForm(form, commandLine, parsed);
    if (follow != 0)
        KillTimer(nullptr, follow);
    following = nullptr;
    return status;
}

int runForm(Form1 &form, const std::string &commandLine, const engine::CommandLineRequest &parsed)
{
    if (!commandLine.empty())
        return runSwitches(form, commandLine, parsed);
    form.show(SW_SHOWNORMAL);
    return messageLoop(form);
}

} // namespace

int runWindows(const std::string &commandLine)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES |
                                                        ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES |
                                                        ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const ComApartment com;
    const engine::CommandLineRequest parsed = engine::parseCommandLine(commandLine);
    if (!commandLine.empty()) {
        if (!parsed.valid)
            return refuseLine(commandLine);
        engine::warnAboutLine(parsed, std::cerr);
    }
    try {
        return runWithForm(commandLine, parsed);
    } catch (const std::exception &e) {
        showStartupFailure(nullptr, commandLine, e.what());
        return engine::kExitFailure;
    }
}

} // namespace winui
