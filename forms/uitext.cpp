#include "forms/uitext.h"

#include <array>

namespace
{

constexpr int kFirst = static_cast<int>(UiText::MakeHead);
constexpr int kFirstBrowserText = static_cast<int>(UiText::BrowserTitle);
constexpr int kCount = kFirstBrowserText - kFirst; // the program's own; the browser has its own
constexpr int kBrowserCount = static_cast<int>(UiText::Last) - kFirstBrowserText + 1;

// The built-in texts, in line order.
const std::array<const char *, kCount> kRussian{
    "Сделать:",
    "иконку",
    "подсказку",
    "фон папки",
    "Ошибка",
    "Укажите путь к иконке",
    "Укажите путь к картинке",
    "Укажите всплывающую подсказку",
    "Файла-библиотеки не существует",
    "Выбрать другой?",
    "Окно иконок библиотеки не открылось: ",
    "Программа для изменения иконок на папках",
    "Версия 2.0.",
    "Новая версия на ",
    "E-mail для отзывов и предложений ",
    "... и ещё папок: ",
    "Остановить",
    "Остановлено.",
    "Готово папок: %1 из %2",
};

struct Texts {
    std::array<std::string, kCount> program; // shown now, in line order
    std::vector<std::string> browser;        // the component's, empty until a language
};

Texts &current()
{
    static Texts texts = [] {
        Texts t;
        for (int i = 0; i < kCount; ++i)
            t.program[i] = kRussian[i];
        return t;
    }();
    return texts;
}

std::string lineOf(const std::vector<std::string> &lines, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < lines.size() ? lines[index]
                                                                        : std::string();
}

} // namespace

namespace forms
{

std::string uiText(UiText id)
{
    // The browser's texts are its own business: they are empty here.
    const int i = static_cast<int>(id) - kFirst;
    return i >= 0 && i < kCount ? current().program[i] : std::string();
}

void setUiTexts(const std::vector<std::string> &lines)
{
    Texts &texts = current();
    for (int i = 0; i < kCount; ++i) {
        const std::string line = lineOf(lines, kFirst - 1 + i);
        texts.program[i] = line.empty() ? std::string(kRussian[i]) : line;
    }
    texts.browser.clear();
    for (int i = 0; i < kBrowserCount; ++i)
        texts.browser.push_back(lineOf(lines, kFirstBrowserText - 1 + i));
}

std::vector<std::string> browserTexts()
{
    return current().browser;
}

} // namespace forms
