// The main window's controls and menus: made once, placed in twips at the monitor's DPI.
#include "forms/form1geometry.h"
#include "winui/controlids.h"
#include "winui/dpi.h"
#include "winui/form1.h"
#include "winui/prompttext.h"

#include <commctrl.h>

#include <algorithm>

namespace winui
{
namespace
{

// How each control is made; its place comes from form1geometry, its frame from `frame`.
struct ControlKind {
    std::string_view name;
    int id;
    const wchar_t *windowClass;
    DWORD style;
    DWORD exStyle;
    const wchar_t *caption;
    std::string_view frame; // the frame whose corner its place is measured from; empty: the window
};

constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kFrame = BS_GROUPBOX | WS_GROUP;
constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;

// Creation order is the tab order: the table of the window's controls, frames before their content.
const ControlKind kControls[] = {
    {"Frame1", ids::Frame1, L"BUTTON", kFrame, 0, L"Путь к папке", {}},
    {"Text1", ids::Text1, WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0,
     L"", "Frame1"},
    {"Command1", ids::Command1, L"BUTTON", kButton, 0, L"...", {}},
    {"Frame3", ids::Frame3, L"BUTTON", kFrame, 0, L"Иконки из", {}},
    {"Option1",
     ids::Option1,
     L"BUTTON",
     BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP,
     0,
     L"Файла",
     {}},
    {"Option2", ids::Option2, L"BUTTON", BS_AUTORADIOBUTTON, 0, L"Библиотеки", {}},
    {"Check2", ids::Check2, L"BUTTON", kCheck, 0, L"", {}},
    {"Frame2", ids::Frame2, L"BUTTON", kFrame, 0, L"Путь к файлу иконки", {}},
    {"Text2", ids::Text2, L"EDIT", kEdit, WS_EX_CLIENTEDGE, L"", "Frame2"},
    {"Command2", ids::Command2, L"BUTTON", kButton, 0, L"...", {}},
    {"Label1_0", ids::Label1_0, L"STATIC", kLabel, 0, L"Индекс", "Frame2"},
    {"Text3", ids::Text3, L"EDIT", kEdit, WS_EX_CLIENTEDGE, L"0", "Frame2"},
    {"Command6", ids::Command6, L"BUTTON", kButton, 0, L"Иконки в библиотеке", "Frame2"},
    {"Check1", ids::Check1, L"BUTTON", kCheck, 0, L"", {}},
    {"Frame4", ids::Frame4, L"BUTTON", kFrame, 0, L"Всплывающая подсказка", {}},
    {"Text4", ids::Text4, L"EDIT", kEdit, WS_EX_CLIENTEDGE, L"", "Frame4"},
    {"Check3", ids::Check3, L"BUTTON", kCheck, 0, L"", {}},
    {"Frame8", ids::Frame8, L"BUTTON", kFrame, 0, L"Путь к файлу рисунку для фона", {}},
    {"Text5", ids::Text5, L"EDIT", kEdit, WS_EX_CLIENTEDGE, L"", "Frame8"},
    {"Command10", ids::Command10, L"BUTTON", kButton, 0, L"...", {}},
    {"Label1_1", ids::Label1_1, L"STATIC", kLabel, 0, L"Цвет имен файлов и папок:", "Frame8"},
    {"Picture1", ids::Picture1, L"STATIC", SS_NOTIFY, WS_EX_CLIENTEDGE, L"", "Frame8"},
    {"Command11", ids::Command11, L"BUTTON", kButton, 0, L"...", {}},
    {"Command3", ids::Command3, L"BUTTON", kButton | BS_MULTILINE | WS_GROUP, 0, L"Сделать:", {}},
    {"Command4", ids::Command4, L"BUTTON", kButton, 0, L"Удалить иконку", {}},
};

// The drop-down list's own height below the edit line, in twips: about eight entries.
constexpr int kDropDownTwips = 2400;

// Places keyed by name: the start places with the layout's changes over them.
std::vector<form1geometry::Place> placesFor(engine::IconSource source)
{
    const auto start = form1geometry::startPlaces();
    std::vector<form1geometry::Place> places(start.begin(), start.end());
    for (const form1geometry::Place &moved : form1geometry::layoutPlaces(source)) {
        for (form1geometry::Place &p : places) {
            if (p.name == moved.name)
                p = moved;
        }
    }
    return places;
}

const form1geometry::Place *find(const std::vector<form1geometry::Place> &places,
                                 std::string_view name)
{
    for (const form1geometry::Place &p : places) {
        if (p.name == name)
            return &p;
    }
    return nullptr;
}

bool inSecondRow(std::string_view name)
{
    return name == "Label1_0" || name == "Text3" || name == "Command6";
}

} // namespace

void Form1::createControls()
{
    for (const ControlKind &kind : kControls) {
        const HWND control = CreateWindowExW(
            kind.exStyle, kind.windowClass, kind.caption, WS_CHILD | WS_VISIBLE | kind.style, 0, 0,
            0, 0, m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kind.id)), m_instance,
            nullptr);
        m_controls.emplace_back(kind.name, control);
    }
    // The file layout is the start: Option1 selected.
    SendMessageW(control("Option1"), BM_SETCHECK, BST_CHECKED, 0);
    // Only the folder box takes folders dropped from Explorer.
    const HWND box = control("Text1");
    DragAcceptFiles(box, TRUE);
    SetWindowSubclass(box, folderBoxProc, 1, reinterpret_cast<DWORD_PTR>(this));
    useFont();
    placeControls();
}

void Form1::useFont()
{
    const HFONT old = m_font;
    m_font = createMessageFont(m_dpi);
    for (const auto &[name, control] : m_controls)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
    if (old != nullptr)
        DeleteObject(old);
}

// A label whose caption is wider than its twips in this font gets the same face narrowed to fit,
// rather than losing its last word to the wrap.
void Form1::fitLabels()
{
    for (HFONT narrow : m_narrowFonts)
        DeleteObject(narrow);
    m_narrowFonts.clear();
    HDC dc = GetDC(m_window);
    for (const std::string_view name : {"Label1_0", "Label1_1"}) {
        const HWND label = control(name);
        std::wstring caption(std::size_t(GetWindowTextLengthW(label)) + 1, L'\0');
        caption.resize(std::size_t(GetWindowTextW(label, caption.data(), int(caption.size()))));
        RECT box{};
        GetClientRect(label, &box);
        const auto width = [&](HFONT font) {
            const HGDIOBJ old = SelectObject(dc, font);
            SIZE text{};
            GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &text);
            SelectObject(dc, old);
            return text.cx;
        };
        HFONT font = m_font;
        LOGFONTW narrower{};
        GetObjectW(m_font, sizeof(narrower), &narrower);
        // Glyph widths do not scale evenly: narrow step by step until the caption fits.
        if (width(m_font) > box.right) {
            const HGDIOBJ old = SelectObject(dc, m_font);
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc, &metrics);
            SelectObject(dc, old);
            for (narrower.lfWidth = metrics.tmAveCharWidth; narrower.lfWidth > 1;) {
                --narrower.lfWidth;
                if (font != m_font)
                    DeleteObject(font);
                font = CreateFontIndirectW(&narrower);
                if (width(font) <= box.right)
                    break;
            }
            m_narrowFonts.push_back(font);
        }
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    ReleaseDC(m_window, dc);
}

void Form1::placeControls()
{
    const std::vector<form1geometry::Place> places = placesFor(m_source);
    const bool library = m_source == engine::IconSource::Library;
    HDWP moves = BeginDeferWindowPos(int(m_controls.size()));
    for (const ControlKind &kind : kControls) {
        const form1geometry::Place *p = find(places, kind.name);
        const form1geometry::Place *frame = kind.frame.empty() ? nullptr : find(places, kind.frame);
        if (p == nullptr)
            continue;
        const int left = p->left + (frame ? frame->left : 0);
        const int top = p->top + (frame ? frame->top : 0);
        int height = toPixels(p->height, m_dpi);
        if (kind.name == "Text1")
            height += toPixels(kDropDownTwips, m_dpi);
        const bool shown = !inSecondRow(kind.name) || library;
        const UINT flags =
            SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
        moves = DeferWindowPos(moves, control(kind.name), nullptr, toPixels(left, m_dpi),
                               toPixels(top, m_dpi), toPixels(p->width, m_dpi), height, flags);
    }
    EndDeferWindowPos(moves);
    // The edit line of the folder box is as tall as its twips say, whatever the font.
    SendMessageW(control("Text1"), CB_SETITEMHEIGHT, WPARAM(-1),
                 std::max(1, toPixels(315, m_dpi) - 6));
    fitLabels();
}

void Form1::fitWindow(const RECT *suggested)
{
    const DWORD style = DWORD(GetWindowLongPtrW(m_window, GWL_STYLE));
    const DWORD exStyle = DWORD(GetWindowLongPtrW(m_window, GWL_EXSTYLE));
    const int width = toPixels(form1geometry::kClientWidth, m_dpi);
    const int height = toPixels(form1geometry::clientHeight(m_source), m_dpi);
    SIZE outer = outerSize(width, height, style, exStyle, true, m_dpi);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (suggested ? 0 : SWP_NOMOVE);
    const int x = suggested ? suggested->left : 0;
    const int y = suggested ? suggested->top : 0;
    SetWindowPos(m_window, nullptr, x, y, outer.cx, outer.cy, flags);
    // A menu bar that wraps onto two lines takes client height: grow by what is missing.
    RECT client{};
    GetClientRect(m_window, &client);
    const int missing = height - (client.bottom - client.top);
    if (missing != 0)
        SetWindowPos(m_window, nullptr, 0, 0, outer.cx, outer.cy + missing,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

HWND Form1::control(std::string_view name) const
{
    for (const auto &[controlName, window] : m_controls) {
        if (controlName == name)
            return window;
    }
    return nullptr;
}

} // namespace winui
