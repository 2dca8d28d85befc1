// The main window as its logic sees it: the fields, the folder box, the prompts and the dialogs.
#include "platform/win32text_win.h"
#include "winui/controlids.h"
#include "winui/form1.h"
#include "winui/form2.h"
#include "winui/form3.h"
#include "winui/form4.h"
#include "winui/form5.h"
#include "winui/form6.h"
#include "winui/prompter.h"
#include "winui/prompttext.h"
#include "winui/runprogress.h"

#include <commctrl.h>

namespace winui
{
namespace
{

std::string windowText(HWND window)
{
    std::wstring text(std::size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return platform::win32::toUtf8(text);
}

std::wstring wide(const std::string &text)
{
    return wideText(text);
}

} // namespace

Form1::Form1(HINSTANCE instance, engine::Settings &settings)
    : m_instance(instance), m_settings(settings), m_logic(*this, settings), m_languages(*this)
{
}

Form1::~Form1()
{
    // The dialogs are owned windows of this one: they go first.
    m_form2.reset();
    m_form3.reset();
    m_form4.reset();
    m_form5.reset();
    m_form6.reset();
    if (m_window != nullptr) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
    if (m_font != nullptr)
        DeleteObject(m_font);
    for (HFONT narrow : m_narrowFonts)
        DeleteObject(narrow);
    if (m_colourBrush != nullptr)
        DeleteObject(m_colourBrush);
}

forms::Answer Form1::message(forms::MessageIcon icon, const std::string &title,
                             const std::string &text, forms::MessageButtons buttons)
{
    return Prompter::instance().message(m_window, icon, title, text, buttons);
}

std::optional<std::string> Form1::openFile(const std::string &filter,
                                           const std::string &initialFile)
{
    return Prompter::instance().openFile(m_window, filter, initialFile);
}

std::optional<std::uint32_t> Form1::chooseColour(std::uint32_t initial)
{
    return Prompter::instance().chooseColour(m_window, initial);
}

std::vector<std::string> Form1::folders() const
{
    const HWND box = control("Text1");
    const LRESULT count = SendMessageW(box, CB_GETCOUNT, 0, 0);
    std::vector<std::string> list;
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring entry(std::size_t(SendMessageW(box, CB_GETLBTEXTLEN, WPARAM(i), 0)) + 1,
                           L'\0');
        const LRESULT length =
            SendMessageW(box, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(entry.data()));
        entry.resize(length > 0 ? std::size_t(length) : 0);
        list.push_back(platform::win32::toUtf8(entry));
    }
    return list;
}

std::string Form1::currentFolder() const
{
    return windowText(control("Text1"));
}

void Form1::addFolder(const std::string &path)
{
    const HWND box = control("Text1");
    m_quiet = true;
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(path).c_str()));
    SetWindowTextW(box, wide(path).c_str());
    m_quiet = false;
}

void Form1::removeFolder(int index)
{
    const HWND box = control("Text1");
    const std::wstring editLine = wide(currentFolder());
    m_quiet = true;
    SendMessageW(box, CB_DELETESTRING, WPARAM(index), 0);
    SetWindowTextW(box, editLine.c_str());
    m_quiet = false;
}

void Form1::clearFolders()
{
    const HWND box = control("Text1");
    m_quiet = true;
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    SetWindowTextW(box, L"");
    m_quiet = false;
}

HWND Form1::textBox(forms::Form1Text box) const
{
    switch (box) {
    case forms::Form1Text::Text2:
        return control("Text2");
    case forms::Form1Text::Text3:
        return control("Text3");
    case forms::Form1Text::Text4:
        return control("Text4");
    case forms::Form1Text::Text5:
        break;
    }
    return control("Text5");
}

HWND Form1::checkBox(forms::Form1Tick tick) const
{
    switch (tick) {
    case forms::Form1Tick::Check1:
        return control("Check1");
    case forms::Form1Tick::Check2:
        return control("Check2");
    case forms::Form1Tick::Check3:
        return control("Check3");
    case forms::Form1Tick::mnuFileCopyIcon:
        break;
    }
    return nullptr;
}

std::string Form1::text(forms::Form1Text box) const
{
    return windowText(textBox(box));
}

void Form1::setText(forms::Form1Text box, const std::string &text)
{
    m_quiet = true;
    SetWindowTextW(textBox(box), wide(text).c_str());
    m_quiet = false;
}

bool Form1::isTicked(forms::Form1Tick tick) const
{
    if (tick == forms::Form1Tick::mnuFileCopyIcon)
        return (GetMenuState(m_bar, ids::mnuFileCopyIcon, MF_BYCOMMAND) & MF_CHECKED) != 0;
    return SendMessageW(checkBox(tick), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Form1::setTicked(forms::Form1Tick tick, bool on)
{
    if (tick == forms::Form1Tick::mnuFileCopyIcon) {
        CheckMenuItem(m_bar, ids::mnuFileCopyIcon, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
        return;
    }
    SendMessageW(checkBox(tick), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Form1::setNameColour(std::uint32_t colour)
{
    m_colour = colour & 0x00FFFFFF;
    const HBRUSH old = m_colourBrush;
    m_colourBrush = CreateSolidBrush(COLORREF(m_colour));
    InvalidateRect(control("Picture1"), nullptr, TRUE);
    if (old != nullptr)
        DeleteObject(old);
}

void Form1::setApplyCaption(const std::string &caption)
{
    SetWindowTextW(control("Command3"), displayText(caption).c_str());
}

void Form1::showIconSource(engine::IconSource source)
{
    const bool library = source == engine::IconSource::Library;
    SendMessageW(control("Option1"), BM_SETCHECK, library ? BST_UNCHECKED : BST_CHECKED, 0);
    SendMessageW(control("Option2"), BM_SETCHECK, library ? BST_CHECKED : BST_UNCHECKED, 0);
    CheckMenuRadioItem(m_bar, ids::mnuFileicobyFile, ids::mnuFileicobyLib,
                       library ? ids::mnuFileicobyLib : ids::mnuFileicobyFile, MF_BYCOMMAND);
    if (source == m_source)
        return;
    m_source = source;
    placeControls();
    fitWindow(nullptr);
    InvalidateRect(m_window, nullptr, TRUE);
}

void Form1::setCaption(const std::string &caption)
{
    SetWindowTextW(m_window, wideText(caption).c_str());
}

void Form1::focusInfoTip()
{
    SetFocus(control("Text4"));
}

std::string Form1::aboutMenuCaption() const
{
    return menuText("mnuAbout");
}

std::unique_ptr<forms::RunProgressView> Form1::startProgress()
{
    return std::make_unique<RunProgress>(m_instance, m_window);
}

} // namespace winui
