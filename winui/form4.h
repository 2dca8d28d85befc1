#pragma once

#include "forms/form4logic.h"
#include "winui/dialogwindow.h"

#include <optional>

namespace winui
{

// The options dialog: the run's only home of the four options. Hidden, never destroyed.
class Form4 : public DialogWindow, public forms::Form4View
{
public:
    Form4(HINSTANCE instance, HWND owner, engine::WindowsMode detected);

    forms::Form4Logic &logic() { return *m_logic; }
    void showModal();

    bool isTicked(forms::Form4Tick control) const override;
    void setTicked(forms::Form4Tick control, bool on) override;
    void hideDialog() override { hide(); }

private:
    void layout(int width, int height) override;
    void command(int id, int code) override;
    HWND button(forms::Form4Tick control) const;

    HWND Check1;
    HWND Check2;
    HWND Option1;
    HWND Option2;
    HWND Frame1;
    HWND Option3;
    HWND Option4;
    HWND Command1;
    HWND Command2;
    std::optional<forms::Form4Logic> m_logic;
};

} // namespace winui
