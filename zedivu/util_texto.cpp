#include "util_texto.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QObject>
#include <QTextStream>

QChar Mayuscula(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'a' && u <= u'z')
        return QChar(char16_t(u - u'a' + u'A'));
    switch (u) {
    case u'ñ': return QChar(u'Ñ');
    case u'á': return QChar(u'Á');
    case u'é': return QChar(u'É');
    case u'í': return QChar(u'Í');
    case u'ó': return QChar(u'Ó');
    case u'ú': return QChar(u'Ú');
    case u'ü': return QChar(u'Ü');
    default: return c;
    }
}

QString Mayusculas(const QString &s)
{
    QString result = s;
    for (QChar &c : result)
        c = Mayuscula(c);
    return result;
}

QString Reemplazar(const QString &texto, const QString &buscar, const QString &reemplazo)
{
    if (buscar.isEmpty())
        return texto;
    QString result = texto;
    return result.replace(buscar, reemplazo, Qt::CaseSensitive);
}

QStringList Explode(const QString &texto, const QString &separador)
{
    if (separador.isEmpty())
        return {texto.trimmed()};
    QStringList pieces = texto.split(separador, Qt::KeepEmptyParts, Qt::CaseSensitive);
    for (QString &piece : pieces)
        piece = piece.trimmed();
    return pieces;
}

QString Implode(const QStringList &lista, const QString &separador)
{
    QStringList trimmed;
    trimmed.reserve(lista.size());
    for (const QString &item : lista)
        trimmed << item.trimmed();
    return trimmed.join(separador);
}

int Contar(const QString &texto, const QString &subtexto)
{
    if (subtexto.isEmpty())
        return 0;
    int count = 0;
    for (qsizetype at = texto.indexOf(subtexto); at >= 0; at = texto.indexOf(subtexto, at + subtexto.size()))
        ++count;
    return count;
}

QStringList DiferenciaTStrings(const QStringList &a, const QStringList &b)
{
    QStringList result = a;
    for (const QString &item : b) {
        for (qsizetype i = 0; i < result.size(); ++i) {
            if (result.at(i).compare(item, Qt::CaseInsensitive) == 0) {
                result.removeAt(i);
                break;
            }
        }
    }
    return result;
}

QString getNombreProfesionConsultor(const QString &codigo)
{
    if (codigo == QLatin1String("1"))
        return QStringLiteral("INGENIERO FORESTAL");
    if (codigo == QLatin1String("2"))
        return QStringLiteral("INGENIERO AGRONOMO ESPECIALIZADO");
    if (codigo == QLatin1String("3"))
        return QStringLiteral("INGENIERO AGRONOMO");
    return QString();
}

QString GetProgramVersion(const QString &archivo)
{
    const QString file = archivo.isEmpty() ? QCoreApplication::applicationFilePath() : archivo;
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable())
        return QStringLiteral("Unknown");
    return QStringLiteral("%1.%2").arg(BRENVIK_VERSION_MAJOR).arg(BRENVIK_VERSION_MINOR);
}

QString ObtenerVersionArchivo(const QString &archivo)
{
    const QString version = GetProgramVersion(archivo);
    if (version == QLatin1String("Unknown"))
        return version;
    return version + QLatin1Char('.') + QString::number(BRENVIK_VERSION_PATCH);
}

bool isDebug()
{
    return false;
}

namespace {

void traceLine(const QString &line)
{
    QTextStream out(stdout);
    out << line << '\n';
}

} // namespace

void DebugIn(const QString &nombre, const QObject *sender)
{
    if (!isDebug())
        return;
    QString line = QStringLiteral("ENTRANDO A ") + nombre;
    if (sender) {
        line += QStringLiteral(" CON SENDER ") + QLatin1String(sender->metaObject()->className());
        if (!sender->objectName().isEmpty())
            line += QStringLiteral(": ") + sender->objectName();
    }
    traceLine(line);
}

void DebugIn(const QString &nombre, const QString &valor)
{
    if (isDebug())
        traceLine(QStringLiteral("ENTRANDO A ") + nombre + QStringLiteral(" CON STRING \"") + valor + QLatin1Char('"'));
}

void DebugOut(const QString &nombre)
{
    if (isDebug())
        traceLine(QStringLiteral("SALIENDO DE ") + nombre + QLatin1Char('\n'));
}

void Debug(const QVariant &valor)
{
    if (isDebug())
        traceLine(QStringLiteral("--->") + valor.toString());
}
