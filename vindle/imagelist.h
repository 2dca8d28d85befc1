#pragma once

#include <QImage>
#include <QList>
#include <QObject>

namespace vindle
{

// ImageList: pictures kept in order for a list view, addressed from position 1; not shown.
class ImageList final : public QObject
{
    Q_OBJECT
public:
    explicit ImageList(QObject *parent = nullptr) : QObject(parent) {}

    void add(const QImage &picture) { m_pictures.append(picture); }
    void clear() { m_pictures.clear(); }
    int count() const { return static_cast<int>(m_pictures.size()); }
    const QImage &picture(int position) const { return m_pictures.at(position - 1); }

private:
    QList<QImage> m_pictures;
};

} // namespace vindle
