#pragma once

#include "vindle/icons/iconresources.h"

#include <QFile>
#include <QImage>
#include <QString>

#include <memory>

namespace vindle::icons
{

// The icons of one file on disk (a .dll/.exe/.ocx module or a .ico): a missing, unreadable or
// icon-less file has none.
class IconLibrary
{
public:
    explicit IconLibrary(const QString &path);
    ~IconLibrary();
    IconLibrary(const IconLibrary &) = delete;
    IconLibrary &operator=(const IconLibrary &) = delete;

    int count() const { return m_resources ? m_resources->count() : 0; }
    // Icon `index` at size × size pixels; null when it cannot be extracted.
    QImage image(int index, int size) const;

private:
    QFile m_file;
    QByteArray m_copy; // the file's bytes when it cannot be mapped
    std::unique_ptr<IconResources> m_resources;
};

// The first icon of a file at size × size pixels (null when it has none), for file previews.
QImage firstIcon(const QString &path, int size = 32);

} // namespace vindle::icons
