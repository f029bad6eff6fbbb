#include "app/BrowserHandOff.h"

#include <QDesktopServices>
#include <QDir>

namespace BrowserHandOff {

QUrl LocalFile(const QString& folder, const QString& file)
{
    return QUrl::fromLocalFile(QDir(folder).absoluteFilePath(file));
}

QUrl FromWebSite(const QString& baseHRef, const QString& file)
{
    return QUrl(baseHRef + file);
}

bool HasBaseHRef(const QString& baseHRef)
{
    return !baseHRef.isEmpty() && baseHRef != "http://";
}

bool IsWebAddress(const QString& reference)
{
    return reference.contains("http://", Qt::CaseInsensitive)
        || reference.contains("ftp://", Qt::CaseInsensitive);
}

QUrl GridReference(const QString& reference, const QString& baseHRef)
{
    if (IsWebAddress(reference) || !HasBaseHRef(baseHRef))
        return QUrl(reference);
    return QUrl(baseHRef).resolved(QUrl(reference));
}

void Open(const QUrl& url)
{
    if (url.isValid())
        QDesktopServices::openUrl(url);
}

}
