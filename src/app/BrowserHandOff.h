#pragma once

#include <QString>
#include <QUrl>

/// The addresses the window hands to the user's browser: a file of the file list, the
/// same file on the published site, or the reference of a grid row.
namespace BrowserHandOff {

QUrl LocalFile(const QString& folder, const QString& file);
/// `baseHRef` ends in "/", as the options dialog keeps it.
QUrl FromWebSite(const QString& baseHRef, const QString& file);
/// Whether a base address is set: neither empty nor "http://" alone.
bool HasBaseHRef(const QString& baseHRef);
/// Whether a reference names a web or FTP address itself.
bool IsWebAddress(const QString& reference);
/// A reference as written when it is an address, else resolved against the base address
/// of an on-line run.
QUrl GridReference(const QString& reference, const QString& baseHRef);
/// Opens `url` in the user's browser, when it is valid.
void Open(const QUrl& url);

}
