#pragma once

#include "forms/form1view.h"

#include <windows.h>

namespace winui
{

// The box of a long apply or remove: the count and a stop button, shown once the run has lasted
// half a second. The run keeps the thread; the box's messages are handled from its callback, and
// the main window takes no input until the run ends.
class RunProgress final : public forms::RunProgressView
{
public:
    RunProgress(HINSTANCE instance, HWND owner);
    ~RunProgress() override;
    RunProgress(const RunProgress &) = delete;
    RunProgress &operator=(const RunProgress &) = delete;

    engine::ProgressFn callback() override;
    void finish(const engine::PassCount &pass) override;

private:
    bool update(std::size_t done, std::size_t total);
    void createBox();
    void pumpMessages();
    void close();
    static LRESULT CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE m_instance;
    HWND m_owner;           // the main window, disabled while the run lasts
    bool m_ownerWasEnabled; // it is given back as it was
    DWORD m_started;        // GetTickCount of the run's start
    DWORD m_lastUpdate = 0; // when the count was drawn last
    HWND m_box = nullptr;   // the box once shown
    HWND m_count = nullptr; // its count text
    HWND m_bar = nullptr;   // its progress bar
    HFONT m_font = nullptr; // the message font at the owner's DPI
    bool m_stopped = false; // the stop button was pressed
};

} // namespace winui
