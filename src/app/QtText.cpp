#include "app/QtText.h"

#include <QFile>
#include <QStringDecoder>

QString ShownText(std::string_view bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

std::string FileNameBytes(const QString& name)
{
    return QFile::encodeName(name).toStdString();
}
