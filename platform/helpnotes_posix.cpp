#include "helpnotes.h"

namespace platform
{

std::string helpNotes(bool russian)
{
    if (russian)
        return "Без дисплея (DISPLAY, WAYLAND_DISPLAY и QT_QPA_PLATFORM не заданы) ключи\n"
               "выполняются без окна; с дисплеем их показывает главное окно.\n"
               "Код выхода: 0 готово, 1 ошибка (сообщение называет папку), 2 пустая строка\n"
               "без дисплея.\n"
               "Сообщения по-русски, если LC_ALL, LC_MESSAGES или LANG (первая заданная) —\n"
               "русская локаль (ru, ru_RU...). Тексты читаются в кодировке локали.\n"
               "Окружение: RAVO2_ANSI_CODEPAGE (кодовая страница desktop.ini), XDG_CONFIG_HOME\n"
               "(настройки в ravo2/ravo2.ini), XDG_RUNTIME_DIR или TMPDIR (имя одной копии).\n";
    return "Without a display (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM unset) the\n"
           "switches run without any window; with one the main window shows them.\n"
           "Exit status: 0 done, 1 a failure (the message says which folder), 2 an empty\n"
           "line without a display.\n"
           "Messages are in English unless LC_ALL, LC_MESSAGES or LANG (the first set) is\n"
           "Russian (ru, ru_RU...). Text values are read in the locale's encoding.\n"
           "Environment: RAVO2_ANSI_CODEPAGE (desktop.ini's code page), XDG_CONFIG_HOME\n"
           "(settings in ravo2/ravo2.ini), XDG_RUNTIME_DIR or TMPDIR (single-copy name).\n";
}

} // namespace platform
