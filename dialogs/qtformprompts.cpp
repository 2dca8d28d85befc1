#include "dialogs/qtformprompts.h"

#include "dialogs/prompter.h"

namespace
{

QMessageBox::Icon qtIcon(forms::MessageIcon icon)
{
    switch (icon) {
    case forms::MessageIcon::Information:
        return QMessageBox::Information;
    case forms::MessageIcon::Question:
        return QMessageBox::Question;
    case forms::MessageIcon::Warning:
        return QMessageBox::Warning;
    case forms::MessageIcon::Critical:
        return QMessageBox::Critical;
    case forms::MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

forms::Answer QtFormPrompts::message(forms::MessageIcon icon, const std::string &title,
                                     const std::string &text, forms::MessageButtons buttons)
{
    const bool yesNo = buttons == forms::MessageButtons::YesNo;
    const QMessageBox::StandardButton pressed = Prompter::instance().message(
        m_window, qtIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
        yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    if (!yesNo)
        return forms::Answer::Ok;
    return pressed == QMessageBox::No ? forms::Answer::No : forms::Answer::Yes;
}

std::optional<std::string> QtFormPrompts::openFile(const std::string &filter,
                                                   const std::string &initialFile)
{
    const std::optional<QString> chosen = Prompter::instance().openFile(
        m_window, QString::fromStdString(filter), QString::fromStdString(initialFile));
    return chosen ? std::optional<std::string>(chosen->toStdString()) : std::nullopt;
}

std::optional<std::uint32_t> QtFormPrompts::chooseColour(std::uint32_t initial)
{
    // 0x00BBGGRR: red in the lowest byte.
    const QColor start(int(initial & 0xFF), int((initial >> 8) & 0xFF),
                       int((initial >> 16) & 0xFF));
    const std::optional<QColor> chosen = Prompter::instance().chooseColour(m_window, start);
    if (!chosen)
        return std::nullopt;
    return std::uint32_t(chosen->red()) | std::uint32_t(chosen->green()) << 8 |
           std::uint32_t(chosen->blue()) << 16;
}
