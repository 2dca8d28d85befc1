#include "dialogs/uitexts.h"

#include <QCoreApplication>
#include <QVariant>

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

QStringList &current()
{
    static QStringList texts = [] {
        QStringList russian;
        for (const char *text : kRussian)
            russian.append(QString::fromUtf8(text));
        return russian;
    }();
    return texts;
}

} // namespace

QString uiText(UiText id)
{
    // The browser's texts are its own business: they are empty here.
    return current().value(static_cast<int>(id) - kFirst);
}

void setUiTexts(const QStringList &lines)
{
    QStringList &texts = current();
    for (int i = 0; i < kCount; ++i) {
        const QString line = lines.value(kFirst - 1 + i);
        texts[i] = line.isEmpty() ? QString::fromUtf8(kRussian[i]) : line;
    }
    // An empty text leaves the browser's own Russian one.
    QStringList browser;
    for (int i = 0; i < kBrowserCount; ++i)
        browser.append(lines.value(kFirstBrowserText - 1 + i));
    if (QCoreApplication::instance())
        QCoreApplication::instance()->setProperty("vindleTexts", browser);
}
