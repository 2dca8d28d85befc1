#include "dialogs/libraryicon.h"

#include "vindle/icons/icondecoder.h"
#include "vindle/icons/iconresources.h"

#include "platform/posixfile.h"

#include <QFile>
#include <QPixmap>

#include <limits>
#include <unistd.h>

namespace
{

// The position of the icon an index names; -1 when there is none.
int positionOf(const vindle::icons::IconResources &resources, long long index)
{
    if (index >= 0)
        return index < resources.count() ? static_cast<int>(index) : -1;
    if (index < -static_cast<long long>(std::numeric_limits<std::uint16_t>::max()))
        return -1;
    for (int position = 0; position < resources.count(); ++position) {
        const vindle::icons::GroupName name = resources.groupName(position);
        if (!name.named && name.id == -index)
            return position;
    }
    return -1;
}

} // namespace

QIcon libraryIcon(const QString &file, long long index)
{
    QFile module;
    // Only regular files, opened without blocking: a device or a pipe could be endless.
    const int fd = platform::openRegularFile(QFile::encodeName(file).toStdString());
    if (fd < 0)
        return {};
    if (!module.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    if (module.size() <= 0)
        return {};
    QByteArray copy;
    const uchar *bytes = module.map(0, module.size());
    if (bytes == nullptr) {
        copy = module.readAll();
        bytes = reinterpret_cast<const uchar *>(copy.constData());
    }
    const vindle::icons::IconResources resources(
        {bytes, static_cast<size_t>(copy.isEmpty() ? module.size() : copy.size())});
    const int position = positionOf(resources, index);
    if (position < 0)
        return {};
    const vindle::icons::IconGroup group = resources.group(position);
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        const QImage image = vindle::icons::iconImage(group, size);
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
