#include "helpnotes.h"

namespace platform
{

std::string helpNotes(bool russian)
{
    if (russian)
        return "Папка пишется как C:\\папка, C:\\папка\\, относительный путь или\n"
               "\\\\сервер\\ресурс\\папка; \"/\" можно вместо \"\\\".\n"
               "Ключи -fl -go -dr -ls -rm выполняются без окна, остальные и пустая строка\n"
               "показывают главное окно, если оно есть (RAVO2_NO_WINDOWS=1: никогда).\n"
               "Сообщения запуска без окна идут в консоль, из которой запущена\n"
               "программа (cmd ждёт её конца только при start /wait), а без консоли — в окно\n"
               "сообщения. Вывод в файл или канал — UTF-8, строки кончаются CR LF.\n"
               "Код выхода: 0 готово, 1 ошибка (сообщение называет папку), 2 пустая строка\n"
               "без окна.\n"
               "Сообщения по-русски, если язык интерфейса Windows русский.\n"
               "Настройки: HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\ravo2\\"
               "Options.\n"
               "Окружение: RAVO2_ANSI_CODEPAGE (кодовая страница desktop.ini вместо ANSI).\n";
    return "A folder is written C:\\folder, C:\\folder\\, a relative path or\n"
           "\\\\server\\share\\folder; \"/\" may stand for \"\\\".\n"
           "-fl -go -dr -ls -rm run without any window; other switches and an empty line\n"
           "show the main window where the build has it (RAVO2_NO_WINDOWS=1: never).\n"
           "Messages of a run without windows go to the console the program was\n"
           "started from (cmd waits for it only with start /wait), without one to a message\n"
           "box. Output to a file or a pipe is UTF-8 with lines ending in CR LF.\n"
           "Exit status: 0 done, 1 a failure (the message says which folder), 2 an empty\n"
           "line without windows. Messages are in Russian when the Windows display language\n"
           "is Russian, else in English.\n"
           "Settings: HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\ravo2\\Options.\n"
           "Environment: RAVO2_ANSI_CODEPAGE (desktop.ini's code page, else the ANSI one).\n";
}

} // namespace platform
