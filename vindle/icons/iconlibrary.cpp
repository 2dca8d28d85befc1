#include "vindle/icons/iconlibrary.h"

#include "vindle/icons/icondecoder.h"

#include "platform/posixfile.h"

#include <QFile>

#include <unistd.h>

namespace vindle::icons
{

IconLibrary::IconLibrary(const QString &path) : m_file(path)
{
    // Only regular files, opened without blocking: a device or a pipe could be endless.
    const int fd = platform::openRegularFile(QFile::encodeName(path).toStdString());
    if (fd < 0)
        return;
    if (!m_file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return;
    }
    const qint64 size = m_file.size();
    std::span<const std::uint8_t> bytes;
    if (const uchar *mapped = size > 0 ? m_file.map(0, size) : nullptr) {
        bytes = {mapped, static_cast<size_t>(size)};
    } else {
        m_copy = m_file.readAll();
        bytes = {reinterpret_cast<const std::uint8_t *>(m_copy.constData()),
                 static_cast<size_t>(m_copy.size())};
    }
    m_resources = std::make_unique<IconResources>(bytes);
}

IconLibrary::~IconLibrary() = default;

QImage IconLibrary::image(int index, int size) const
{
    if (!m_resources)
        return {};
    return iconImage(m_resources->group(index), size);
}

QImage firstIcon(const QString &path, int size)
{
    const IconLibrary library(path);
    return library.count() > 0 ? library.image(0, size) : QImage();
}

} // namespace vindle::icons
