#include "console.h"

#include "consoletext.h"
#include "unicode.h"
#include "win32text_win.h"

#include <windows.h>

#include <algorithm>
#include <iostream>
#include <streambuf>
#include <string>

namespace platform
{
namespace
{

bool usable(HANDLE handle)
{
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

bool isConsole(HANDLE handle)
{
    DWORD mode = 0;
    return usable(handle) && GetConsoleMode(handle, &mode) != 0;
}

// One of the standard handles, reached through the parent's console when the program has none.
HANDLE standardHandle(DWORD which, bool attached)
{
    HANDLE handle = GetStdHandle(which);
    if (usable(handle) || !attached)
        return usable(handle) ? handle : nullptr;
    handle = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    SetStdHandle(which, handle);
    return handle;
}

// UTF-8 text in, the handle's own form out: UTF-16 to a console, UTF-8 with CR LF to a file or
// pipe, and into `unseen` when there is no handle at all.
class HandleBuffer : public std::streambuf
{
public:
    HandleBuffer(HANDLE handle, std::string &unseen) : m_handle(handle), m_unseen(unseen) {}
    ~HandleBuffer() override { emit(true); }

protected:
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        m_pending += traits_type::to_char_type(c);
        if (c == '\n')
            emit(false);
        return c;
    }
    std::streamsize xsputn(const char *text, std::streamsize count) override
    {
        m_pending.append(text, std::size_t(count));
        if (m_pending.find('\n') != std::string::npos)
            emit(false);
        return count;
    }
    int sync() override
    {
        emit(false);
        return 0;
    }

private:
    void emit(bool all)
    {
        const std::size_t whole = all ? m_pending.size() : wholeUtf8Prefix(m_pending);
        const std::string_view text(m_pending.data(), whole);
        if (!text.empty())
            write(text);
        m_pending.erase(0, whole);
    }
    void write(std::string_view text)
    {
        if (m_handle == nullptr) {
            m_unseen += text;
        } else if (isConsole(m_handle)) {
            const std::u16string wide = utf8ToUtf16(text);
            // Older consoles refuse one write much past 64 KB.
            constexpr std::size_t kPiece = 8192;
            for (std::size_t at = 0; at < wide.size(); at += kPiece) {
                DWORD written = 0;
                const std::size_t count = std::min(kPiece, wide.size() - at);
                WriteConsoleW(m_handle, reinterpret_cast<const wchar_t *>(wide.data() + at),
                              DWORD(count), &written, nullptr);
            }
        } else {
            win32::writeAll(m_handle, withCrLf(text));
        }
    }

    HANDLE m_handle;
    std::string &m_unseen;
    std::string m_pending; // written but not yet passed on: a line or a character unfinished
};

// A box in a session nobody sees (a service, a task run without the user logged on) would wait
// for ever.
bool interactiveSession()
{
    USEROBJECTFLAGS flags{};
    return GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags,
                                     nullptr) != 0 &&
           (flags.dwFlags & WSF_VISIBLE) != 0;
}

} // namespace

struct ConsoleSession::State {
    std::string unseen; // text that had nowhere to go: shown in a message box at the end
    HandleBuffer out;
    HandleBuffer err;
    std::streambuf *oldOut;
    std::streambuf *oldErr;

    explicit State(bool attached)
        : out(standardHandle(STD_OUTPUT_HANDLE, attached), unseen),
          err(standardHandle(STD_ERROR_HANDLE, attached), unseen), oldOut(std::cout.rdbuf(&out)),
          oldErr(std::cerr.rdbuf(&err))
    {
    }
};

ConsoleSession::ConsoleSession()
{
    // A program started with both outputs redirected keeps its handles as they are.
    const bool redirected =
        usable(GetStdHandle(STD_OUTPUT_HANDLE)) && usable(GetStdHandle(STD_ERROR_HANDLE));
    const bool attached = !redirected && AttachConsole(ATTACH_PARENT_PROCESS) != 0;
    m_state = std::make_unique<State>(attached);
}

ConsoleSession::~ConsoleSession()
{
    std::cout.flush();
    std::cerr.flush();
    std::cout.rdbuf(m_state->oldOut);
    std::cerr.rdbuf(m_state->oldErr);
    const std::string unseen = m_state->unseen;
    m_state.reset();
    if (unseen.empty() || !interactiveSession())
        return;
    // Started without a console (a shortcut, Explorer): the help or the failure in a box.
    const std::u16string text = utf8ToUtf16(unseen);
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t *>(text.c_str()), L"ravo2", MB_OK);
}

} // namespace platform
