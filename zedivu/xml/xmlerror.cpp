#include "xmlerror.h"

#include <QFileInfo>

XmlError::XmlError(const QString &message)
    : std::logic_error(message.toStdString())
{
}

XmlError::~XmlError() = default;

QString XmlError::message() const
{
    return QString::fromStdString(what());
}

void XmlError::Lanzar(const QString &texto, const char *archivo, int linea)
{
    throw XmlError(texto + QStringLiteral(" (%1, línea %2)")
                               .arg(QFileInfo(QString::fromUtf8(archivo)).fileName())
                               .arg(linea));
}
