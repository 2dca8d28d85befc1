#include "dialogs/filefilter.h"

#include <QStringList>

namespace
{

// "*.*" matches every file in the Windows chooser, but only names with a dot in Qt's.
QString qtPatterns(const QString &patterns)
{
    QStringList parts = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString &part : parts) {
        part = part.trimmed();
        if (part == QLatin1String("*.*"))
            part = QStringLiteral("*");
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

QString toQtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString &description = parts.at(i);
        const QString patterns = i + 1 < parts.size() ? qtPatterns(parts.at(i + 1)) : QString();
        if (patterns.isEmpty()) {
            if (!description.trimmed().isEmpty())
                entries << description;
            continue;
        }
        entries << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}
