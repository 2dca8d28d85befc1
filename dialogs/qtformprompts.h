#pragma once

#include "forms/formprompts.h"

class QWidget;

// A form logic's message boxes and choosers, over a Qt window, through the Prompter in force.
class QtFormPrompts : public forms::FormPrompts
{
public:
    explicit QtFormPrompts(QWidget *window) : m_window(window) {}

    forms::Answer message(forms::MessageIcon icon, const std::string &title,
                          const std::string &text, forms::MessageButtons buttons) override;
    std::optional<std::string> openFile(const std::string &filter,
                                        const std::string &initialFile) override;
    std::optional<std::uint32_t> chooseColour(std::uint32_t initial) override;

private:
    QWidget *m_window; // the boxes' parent
};
