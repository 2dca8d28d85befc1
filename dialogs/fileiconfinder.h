#pragma once

#include <QIcon>
#include <QString>

#include <cstddef>

class QFileInfo;

// The largest icon, cursor or picture file whose icon is shown: an icon file with every size up
// to 256 pixels takes about 1 MB and a photograph a few; a larger file (one planted to exhaust
// the memory of a run as root) shows no icon of its own.
constexpr std::size_t kMaxIconFileBytes = 32u << 20;

// Finds the icon that the shell shows for a file or folder.
class FileIconFinder
{
public:
    // A folder's own icon named by its desktop.ini, an icon file's own icon, else the theme's icon
    // for the type; null when the path does not exist.
    static QIcon iconFor(const QString &path);

    // The icon held in an icon, cursor or picture file, or the index-th icon of a library; null
    // when the file cannot be read.
    static QIcon iconFromFile(const QString &file, long long index);

    // The theme's icon for the path's type (folder, drive, or the file's type by name), cached
    // per type for the run.
    static QIcon typeIcon(const QFileInfo &info);

private:
    static QIcon folderOwnIcon(const QFileInfo &folder);
    static QIcon lookUpTypeIcon(const QFileInfo &info, const QString &key);
};
