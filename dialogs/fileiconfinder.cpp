#include "dialogs/fileiconfinder.h"

#include "dialogs/libraryicon.h"
#include "engine/desktopinireader.h"
#include "platform/filesystem.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QMimeDatabase>

namespace
{

constexpr qsizetype kCachedIconFiles = 256; // distinct icon files remembered at once

bool isLibrary(const QString &suffix)
{
    return suffix == QLatin1String("dll") || suffix == QLatin1String("exe") ||
           suffix == QLatin1String("ocx");
}

// Offscreen and bare desktops name no icon theme; Adwaita comes with the program's dependencies.
void ensureIconTheme()
{
    if (QIcon::themeName().isEmpty())
        QIcon::setThemeName(QStringLiteral("Adwaita"));
}

QString withSeparator(const QString &folder)
{
    const QChar separator = QLatin1Char(platform::nativeSeparator());
    return folder.endsWith(separator) ? folder : folder + separator;
}

// Icon and cursor files keep every size they hold; the painter picks the one nearest the size
// drawn.
QIcon imageFileIcon(const QString &file)
{
    // Read without blocking and within a bound: a FIFO or a huge file in the folder's owner's
    // hands must not stall the window.
    std::string bytes;
    if (!platform::readFile(file.toStdString(), bytes, kMaxIconFileBytes).ok())
        return {};
    QByteArray data = QByteArray::fromStdString(bytes);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    const bool manySizes = format == "ico" || format == "cur";
    const int count = manySizes ? qBound(1, reader.imageCount(), 64) : 1;
    QIcon icon;
    QImage image;
    for (int i = 0; i < count; ++i) {
        if (!reader.jumpToImage(i) && i > 0)
            break;
        if (!reader.read(&image))
            break;
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace

QIcon FileIconFinder::iconFor(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    QIcon own;
    if (info.isDir())
        own = folderOwnIcon(info);
    else if (const QString suffix = info.suffix().toLower();
             suffix == QLatin1String("ico") || suffix == QLatin1String("cur") || isLibrary(suffix))
        own = iconFromFile(info.absoluteFilePath(), 0);
    return own.isNull() ? typeIcon(info) : own;
}

QIcon FileIconFinder::folderOwnIcon(const QFileInfo &folder)
{
    const QString folderPath = withSeparator(QDir::toNativeSeparators(folder.absoluteFilePath()));
    const engine::FolderIniOutcome ini = engine::readfolderini(folderPath.toStdString(), "0");
    if (!ini.iconPath || ini.iconPath->empty())
        return {};
    QString file = QString::fromStdString(*ini.iconPath);
    // The shell looks a relative icon path up in the folder itself.
    if (QDir::isRelativePath(file))
        file = QDir(folder.absoluteFilePath()).absoluteFilePath(file);
    long long index = 0;
    if (ini.iconIndex)
        index = engine::DesktopIniReader::indexNumber(*ini.iconIndex).value_or(0);
    return iconFromFile(file, index);
}

QIcon FileIconFinder::iconFromFile(const QString &file, long long index)
{
    const QFileInfo info(file);
    // A list of folders dressed in one run shares one icon file: read it once while unchanged.
    struct Cached {
        QDateTime modified;
        qint64 size;
        QIcon icon;
    };
    static QHash<QString, Cached> cache;
    const QString key = info.absoluteFilePath() + QLatin1Char('\n') + QString::number(index);
    const auto found = cache.constFind(key);
    if (found != cache.constEnd() && found->modified == info.lastModified() &&
        found->size == info.size())
        return found->icon;
    if (cache.size() >= kCachedIconFiles)
        cache.clear();
    const QIcon icon =
        isLibrary(info.suffix().toLower()) ? libraryIcon(file, index) : imageFileIcon(file);
    cache.insert(key, Cached{info.lastModified(), info.size(), icon});
    return icon;
}

QIcon FileIconFinder::typeIcon(const QFileInfo &info)
{
    static QHash<QString, QIcon> cache;
    QString key;
    if (info.isRoot())
        key = QStringLiteral("drive");
    else if (info.isDir())
        key = QStringLiteral("folder");
    else
        key = QStringLiteral("file.") + info.suffix().toLower();
    auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;
    const QIcon icon = lookUpTypeIcon(info, key);
    cache.insert(key, icon);
    return icon;
}

QIcon FileIconFinder::lookUpTypeIcon(const QFileInfo &info, const QString &key)
{
    ensureIconTheme();
    QFileIconProvider provider;
    if (key == QLatin1String("drive"))
        return QIcon::fromTheme(QStringLiteral("drive-harddisk"),
                                provider.icon(QAbstractFileIconProvider::Drive));
    if (key == QLatin1String("folder"))
        return QIcon::fromTheme(QStringLiteral("folder"),
                                provider.icon(QAbstractFileIconProvider::Folder));
    // By name only: the type of every file of a kind is the same, and reading content is slow.
    const QMimeType type =
        QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    const QIcon generic =
        QIcon::fromTheme(type.genericIconName(), provider.icon(QAbstractFileIconProvider::File));
    return QIcon::fromTheme(type.iconName(), generic);
}
