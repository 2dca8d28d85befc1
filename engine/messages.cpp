#include "messages.h"

#include "platform/helpnotes.h"
#include "platform/userlanguage.h"

#include <cstdlib>

namespace engine
{
namespace
{

std::string pick(std::string_view english, std::string_view russian)
{
    return std::string(Messages::russian() ? russian : english);
}

} // namespace

bool Messages::russian()
{
    return platform::russianMessages();
}

std::string Messages::help()
{
    return pick("Usage: ravo2 [switches]\n"
                "Dresses folders: writes desktop.ini and sets the attributes the Windows shell "
                "reads.\n"
                "  -fp <folder>   add a folder to the list (may be repeated)\n"
                "  -ip <path>     icon file or icon library; makes the icon\n"
                "  -ii <number>   icon index in the library, from zero\n"
                "  -tt <text>     info tip; makes the info tip\n"
                "  -pp <path>     background picture; makes the background\n"
                "  -tc <colour>   colour of the names on the background: red, blue, green, "
                "black,\n"
                "                 white, yellow, orange\n"
                "  -wv <xp|9x>    xp: folder attribute 1 (read-only); 9x: 5 (and system)\n"
                "  -fl <file>     add the folders listed in a file: one a line (LF or CR LF),\n"
                "                 or NUL-separated (find -print0); /dev/stdin reads a pipe.\n"
                "                 Names are taken byte for byte; may be repeated, with -fp\n"
                "  -go            go on past a failing folder: one line for each failure and a\n"
                "                 summary on standard error, exit status 1 if any failed\n"
                "  -dr            dry run: show what would be written or removed, or why a\n"
                "                 folder would fail; nothing is changed\n"
                "  -ls            print each folder's dressing as a JSON object a line\n"
                "  -rm            take the dressing away (desktop.ini and the attributes)\n"
                "  -ci            copy the icon and picture into each folder (hidden, named\n"
                "                 by their content), so every client of a share shows them\n"
                "  --help         show this help (only as the whole line)\n"
                "  --version      show the version (only as the whole line)\n"
                "A value runs up to the next \" -\"; there is no quoting.\n"
                "-fl, -go, -dr, -ls and -rm never show a window. Unknown switches and words,\n"
                "a line without a folder and an icon or picture that names no file are\n"
                "warned of; relative icon and picture paths are taken from each folder.\n",
                "Использование: ravo2 [ключи]\n"
                "Оформляет папки: пишет desktop.ini и ставит атрибуты, которые читает оболочка "
                "Windows.\n"
                "  -fp <папка>    добавить папку в список (ключ можно повторять)\n"
                "  -ip <путь>     файл иконки или библиотека иконок; ставит иконку\n"
                "  -ii <номер>    номер иконки в библиотеке, с нуля\n"
                "  -tt <текст>    всплывающая подсказка; ставит подсказку\n"
                "  -pp <путь>     фоновая картинка; ставит фон\n"
                "  -tc <цвет>     цвет имён на фоне: red, blue, green, black, white, yellow, "
                "orange\n"
                "  -wv <xp|9x>    xp: папке атрибут 1 (только чтение); 9x: атрибут 5 (и "
                "системная)\n"
                "  -fl <файл>     добавить папки из файла: по одной в строке (LF или CR LF)\n"
                "                 или через NUL (find -print0); /dev/stdin читает канал.\n"
                "                 Имена берутся байт в байт; ключ можно повторять, с -fp\n"
                "  -go            не останавливаться на ошибке: строка на каждую ошибку и итог\n"
                "                 в стандартный поток ошибок, код выхода 1, если была ошибка\n"
                "  -dr            пробный прогон: показать, что было бы записано или удалено,\n"
                "                 или почему папка не удалась бы; ничего не меняется\n"
                "  -ls            вывести оформление каждой папки, объект JSON в строке\n"
                "  -rm            снять оформление (desktop.ini и атрибуты)\n"
                "  -ci            скопировать иконку и картинку в каждую папку (скрыто, имя по\n"
                "                 содержимому), чтобы их видел каждый клиент общей папки\n"
                "  --help         показать эту справку (только как вся строка)\n"
                "  --version      показать версию (только как вся строка)\n"
                "Значение идёт до следующего \" -\"; кавычек нет.\n"
                "-fl, -go, -dr, -ls и -rm окна не показывают. О неизвестных ключах и словах,\n"
                "строке без папки и иконке или картинке, которой нет, выводится предупреждение;\n"
                "относительные пути иконки и картинки берутся от каждой папки.\n") +
           platform::helpNotes(russian());
}

std::string Messages::noSwitch()
{
    return pick("the command line holds no switch", "в командной строке нет ни одного ключа");
}

std::string Messages::noDisplay()
{
    return pick("ravo2: no display (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are unset), so no "
                "window can be shown; without one the program works with switches only.\n",
                "ravo2: нет дисплея (DISPLAY, WAYLAND_DISPLAY и QT_QPA_PLATFORM не заданы), окно "
                "показать негде; без окна программа работает только с ключами.\n");
}

std::string Messages::noWindows()
{
    return pick("ravo2: this build has no windows; it works with switches only.\n",
                "ravo2: в этой сборке нет окон; программа работает только с ключами.\n");
}

std::string Messages::windowsHidden()
{
    return pick("ravo2: no window is shown here (RAVO2_NO_WINDOWS is set, or the session has no "
                "visible desktop); the program works with switches only.\n",
                "ravo2: окно здесь не показывается (задан RAVO2_NO_WINDOWS или рабочий стол сеанса "
                "невидим); программа работает только с ключами.\n");
}

std::string Messages::undecodable(std::string_view sw)
{
    const std::string name(sw);
    return pick("ravo2: the value of " + name +
                    " is not text in the locale's encoding; nothing was changed",
                "ravo2: значение " + name +
                    " не является текстом в кодировке локали; ничего не изменено");
}

std::string Messages::emptyValue(std::string_view sw)
{
    const std::string name(sw);
    return pick("ravo2: the value of " + name + " is empty; nothing was changed",
                "ravo2: значение " + name + " пусто; ничего не изменено");
}

std::string Messages::lineBreak(std::string_view sw)
{
    const std::string name(sw);
    return pick(
        "ravo2: the value of " + name +
            " holds a line break, which desktop.ini cannot keep; nothing was changed",
        "ravo2: значение " + name +
            " содержит перевод строки, которого desktop.ini не сохранит; ничего не изменено");
}

std::string Messages::failedFolder(std::string_view folder)
{
    return pick("folder: ", "папка: ") + std::string(folder);
}

std::string Messages::warningPrefix()
{
    return pick("ravo2: warning: ", "ravo2: предупреждение: ");
}

std::string Messages::noAttributes(std::string_view path)
{
    return warningPrefix() +
           pick("the file system keeps no attributes (user xattr): ",
                "файловая система не хранит атрибуты (user xattr): ") +
           std::string(path);
}

std::string Messages::leftover(std::string_view path, std::string_view reason)
{
    return pick("the temporary file ", "временный файл ") + std::string(path) +
           pick(" could not be removed: ", " удалить не удалось: ") + std::string(reason);
}

std::string Messages::outsideShare(std::string_view folder, std::string_view share)
{
    return pick("folder ", "папка ") + std::string(folder) +
           pick(": the icon or picture lies outside the Samba share [",
                ": иконка или картинка лежит вне общего ресурса Samba [") +
           std::string(share) +
           pick("], network clients will not open it", "], клиенты сети её не откроют") +
           pick("; copy it into the folder (-ci, or \"Копировать иконку в папку\" in the "
                "\"Файл\" menu)",
                "; скопируйте её в папку (-ci или \"Копировать иконку в папку\" в меню "
                "\"Файл\")");
}

std::string Messages::dryCopy(std::string_view path, std::string_view attributes)
{
    return pick("  would write ", "  записал бы ") + std::string(path) +
           pick(", attributes ", ", атрибуты ") + std::string(attributes);
}

std::string Messages::dryCopyRemoval(std::string_view path)
{
    return pick("  would remove ", "  удалил бы ") + std::string(path);
}

std::string Messages::noIconToCopy(std::string_view path, std::string_view index)
{
    return std::string(path) +
           pick(": no icon to copy at index ", ": нет иконки для копирования с номером ") +
           std::string(index);
}

std::string Messages::windowsMissing(std::string_view why)
{
    return pick("ravo2: the windows cannot be shown: ", "ravo2: окна показать нельзя: ") +
           std::string(why);
}

std::string Messages::deadDisplay(std::string_view named, bool switches)
{
    const std::string display(named);
    return pick("ravo2: the display (" + display + ") does not answer, so no window can be shown" +
                    (switches ? "; the switches run without one" : ""),
                "ravo2: дисплей (" + display + ") не отвечает, окно показать нельзя" +
                    (switches ? "; ключи выполняются без окна" : ""));
}

std::string Messages::restarting()
{
    return pick("ravo2: a folder failed; starting again from the first folder",
                "ravo2: папку оформить не удалось; начинаю снова с первой папки");
}

std::string Messages::progress(std::size_t done, std::size_t total)
{
    // A list read as it comes has no total until its end.
    return pick("folders: ", "папки: ") + std::to_string(done) +
           (total ? " / " + std::to_string(total) : std::string());
}

std::string Messages::unknownSwitch(std::string_view sw)
{
    return pick("unknown switch ", "неизвестный ключ ") + std::string(sw) +
           pick(", ignored (a value runs up to the next \" -\")",
                ", пропущен (значение идёт до следующего \" -\")");
}

std::string Messages::noFolder()
{
    return pick("no folder given (-fp or -fl): nothing is done",
                "не задано ни одной папки (-fp или -fl): ничего не сделано");
}

std::string Messages::unknownWord(std::string_view sw, std::string_view word,
                                  std::string_view words)
{
    return std::string(sw) + pick(": unknown word \"", ": неизвестное слово \"") +
           std::string(word) + pick("\", ignored; known: ", "\", пропущено; известны: ") +
           std::string(words);
}

std::string Messages::missingFile(std::string_view sw, std::string_view folder,
                                  std::string_view target, bool fromHere)
{
    std::string text = pick("folder ", "папка ") + std::string(folder) + ": " + std::string(sw) +
                       pick(" names no file: ", " не называет файла: ") + std::string(target);
    if (fromHere)
        text += pick(" (relative paths are taken from the folder, not from the current folder)",
                     " (относительные пути берутся от папки, а не от текущей папки)");
    return text;
}

std::string Messages::folderFailed(std::string_view folder, std::string_view reason)
{
    return "ravo2: " + std::string(folder) + ": " + std::string(reason);
}

std::string Messages::summary(std::size_t done, std::size_t failed)
{
    return pick("ravo2: done ", "ravo2: готово ") + std::to_string(done) +
           pick(", failed ", ", не удалось ") + std::to_string(failed);
}

std::string Messages::listUnopened(std::string_view listAndReason)
{
    return pick("ravo2: the folder list cannot be opened, nothing was changed: ",
                "ravo2: список папок не открывается, ничего не изменено: ") +
           std::string(listAndReason);
}

std::string Messages::listEntryTooLong()
{
    return pick("the list entry is longer than 1 MiB (only its start is shown)",
                "запись списка длиннее 1 МиБ (показано только её начало)");
}

std::string Messages::listEntryHoldsNul()
{
    return pick("the line holds a NUL byte, which no name can hold",
                "строка содержит байт NUL, которого не бывает в имени");
}

std::string Messages::dryFolder(std::string_view folder)
{
    return pick("folder: ", "папка: ") + std::string(folder);
}

std::string Messages::dryFile(std::string_view attributes)
{
    return pick("  would write desktop.ini, attributes ", "  записал бы desktop.ini, атрибуты ") +
           std::string(attributes) + ":";
}

std::string Messages::dryFolderAttributes(std::string_view attributes)
{
    return pick("  would set the folder's attributes to ", "  поставил бы папке атрибуты ") +
           std::string(attributes);
}

std::string Messages::dryRemoval(std::string_view attributes)
{
    return pick("  would remove desktop.ini and set the folder's attributes to ",
                "  удалил бы desktop.ini и поставил бы папке атрибуты ") +
           std::string(attributes);
}

std::string Messages::dryKept()
{
    return pick("  would keep desktop.ini for the keys that are not ours, as:",
                "  оставил бы desktop.ini ради чужих ключей, так:");
}

std::string Messages::dryFailure(std::string_view reason)
{
    return pick("  would fail: ", "  не удалось бы: ") + std::string(reason);
}

std::string Messages::notAnsiCodePage(std::string_view value)
{
    return "RAVO2_ANSI_CODEPAGE=" + std::string(value) +
           pick(": not an ANSI code page (874, 932, 936, 949, 950, 1250-1258); nothing was written",
                ": не кодовая страница ANSI (874, 932, 936, 949, 950, 1250-1258); ничего не "
                "записано");
}

std::string Messages::shareRules(std::string_view share, const std::vector<std::string> &rules)
{
    std::string text = pick("the Samba share [", "общий ресурс Samba [") + std::string(share) +
                       pick("] keeps its clients from seeing desktop.ini or its attributes (",
                            "] не даёт клиентам увидеть desktop.ini или его атрибуты (");
    for (std::size_t i = 0; i < rules.size(); ++i)
        text += (i == 0 ? "" : "; ") + rules[i];
    return text + pick("); the files were written all the same", "); файлы всё равно записаны");
}

} // namespace engine
