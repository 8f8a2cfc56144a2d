#include "validacion.h"

#include "chileantext.h"
#include "dataset.h"
#include "field.h"
#include "query.h"
#include "sqlidentifier.h"
#include "table.h"
#include "util_bbdd.h"

namespace {

const QChar kComilla = QLatin1Char('"');

// The field's value as a number; nullopt when its text is no number (a failed check).
std::optional<double> valorNumerico(const Field *campo)
{
    if (campo->isNumeric())
        return campo->AsFloat();
    return ChileanText::toDouble(campo->AsString().trimmed());
}

bool esEntero(const QString &parte)
{
    if (parte.isEmpty())
        return false;
    for (QChar c : parte) {
        if (!c.isDigit())
            return false;
    }
    return true;
}

QString fallaUnico(Field *campo, Connection *conexion, QString *error)
{
    Dataset *ds = campo->DataSet();
    QString tabla;
    QString indice;
    if (auto *t = qobject_cast<Table *>(ds)) {
        tabla = t->TableName();
        indice = t->IndexName();
    } else if (auto *q = qobject_cast<Query *>(ds)) {
        tabla = q->SQL();
    }
    Field *clave = indice.isEmpty() ? ds->Fields(0) : ds->FindField(indice);
    if (!clave) {
        if (error)
            *error = QStringLiteral("La tabla ") + kComilla + tabla + kComilla + QStringLiteral(" no tiene un indice");
        return {};
    }
    if (clave->DataType() != FieldType::AutoInc) {
        if (error)
            *error = QStringLiteral("La tabla ") + kComilla + tabla + kComilla
                     + QStringLiteral(" posee un indice o 1º campo (") + kComilla + clave->FieldName() + kComilla
                     + QStringLiteral(") que no es de tipo autoincremental");
        return {};
    }
    // A query's rows are counted as a subquery; a table by its name.
    QString origen;
    if (qobject_cast<Table *>(ds)) {
        if (!SqlIdentifier::isValid(tabla)) {
            if (error)
                *error = QStringLiteral("La tabla ") + kComilla + tabla + kComilla + QStringLiteral(" no es válida");
            return {};
        }
        origen = SqlIdentifier::quoted(tabla);
    } else {
        origen = QStringLiteral("(") + tabla + QStringLiteral(")");
    }
    const QString sql = QStringLiteral("SELECT COUNT(*) FROM ") + origen + QStringLiteral(" WHERE ")
                        + SqlIdentifier::quoted(campo->FieldName()) + QStringLiteral("=? AND ")
                        + SqlIdentifier::quoted(clave->FieldName()) + QStringLiteral("<>?");
    const QVariant claveFila = clave->IsNull() ? QVariant(qlonglong(-1)) : clave->Value();
    const QString cuenta = Consulta(conexion, sql, {campo->Value(), claveFila});
    const SqlError e = UltimoErrorBBDD();
    if (e.isValid()) {
        if (error)
            *error = e.text();
        return {};
    }
    if (cuenta.toLongLong() > 0)
        return QStringLiteral("contiene un valor utilizado anteriormente.\nSólo se permiten valores únicos para este campo");
    return {};
}

} // namespace

QString EtiquetaCampo(const Field *campo)
{
    QString etiqueta = campo->DisplayLabel();
    const int barra = etiqueta.lastIndexOf(QLatin1Char('|'));
    if (barra >= 0)
        etiqueta = etiqueta.mid(barra + 1);
    etiqueta.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    if (etiqueta == QLatin1String("-"))
        etiqueta = QStringLiteral("Dígito Verificador");
    return etiqueta;
}

QString MensajeCampo(const Field *campo, const QString &mensaje)
{
    return QStringLiteral("El campo ") + kComilla + EtiquetaCampo(campo) + kComilla + QLatin1Char(' ') + mensaje;
}

std::optional<QDate> LeerFechaValidacion(const QString &texto, int anoActual, QString &mensaje)
{
    QString dia, mes, ano;
    bool partesBien = texto.size() == 8 || texto.size() == 10;
    if (partesBien) {
        dia = texto.mid(0, 2);
        mes = texto.mid(3, 2);
        ano = texto.mid(6);
        partesBien = esEntero(dia) && esEntero(mes) && esEntero(ano);
    }
    if (!partesBien) {
        mensaje = QStringLiteral("posee un formato de fecha inválido.\nEl formato correcto es DD-MM-AA o DD-MM-AAAA");
        return std::nullopt;
    }
    int a = ano.toInt();
    if (ano.size() == 2)
        a += a < 30 ? 2000 : 1900;
    if (a < 1900 || a > anoActual) {
        mensaje = QStringLiteral("posee un año fuera de rango.\nEl rango válido comprende desde 1900 hasta ")
                  + QString::number(anoActual);
        return std::nullopt;
    }
    const QDate fecha(a, mes.toInt(), dia.toInt());
    if (!fecha.isValid()) {
        mensaje = QStringLiteral("posee una fecha inválida o imposible de ocurrir");
        return std::nullopt;
    }
    return fecha;
}

QString ComprobarCampo(Field *campo, TTipoValidaciones tipos, int anoActual, Connection *conexion, QString *error)
{
    if (campo->IsNull() || campo->AsString().trimmed().isEmpty()) {
        if (tipos.contains(tvNoVacio))
            return QStringLiteral("no puede quedar vacío");
        return {};
    }
    if (tipos.contains(tvUnico)) {
        const QString m = fallaUnico(campo, conexion, error);
        if (!m.isEmpty() || (error && !error->isEmpty()))
            return m;
    }
    const std::optional<double> valor = valorNumerico(campo);
    if (tipos.contains(tvPositivo) && (!valor || *valor == 0))
        return QStringLiteral("no puede ser nulo");
    if ((tipos.contains(tvPositivo) || tipos.contains(tvCeroPositivo)) && (!valor || *valor < 0))
        return QStringLiteral("no puede contener valores negativos");
    const qint64 ano = valor ? qint64(*valor) : 0;
    if (tipos.contains(tvAnoActualMax) && (!valor || ano < 1900 || ano > anoActual))
        return QStringLiteral("sólo permite valores de año entre 1900 y ") + QString::number(anoActual);
    if (tipos.contains(tvAnoActualMin) && (!valor || ano < anoActual))
        return QStringLiteral("El año debe ser mayor o igual que el año en curso");
    if (tipos.contains(tvAnoValido) && (!valor || *valor < 1900 || *valor > 2099))
        return QStringLiteral("sólo permite valores de año entre 1900 y 2099");
    if (tipos.contains(tvCoordenadaN) && (!valor || *valor < 2000000 || *valor > 6000000))
        return QStringLiteral("sólo acepta coordenadas entre 2.000.000 y 6.000.000");
    if (tipos.contains(tvCoordenadaE) && (!valor || *valor < 200000 || *valor > 900000))
        return QStringLiteral("sólo acepta coordenadas entre 200.000 y 900.000");
    if (tipos.contains(tvFechaValida)) {
        // A date field's own text is already a checked date (dd-mm-yyyy).
        QString mensaje;
        const std::optional<QDate> fecha = LeerFechaValidacion(campo->AsString().trimmed(), anoActual, mensaje);
        if (!fecha)
            return mensaje;
        if (campo->DataType() == FieldType::DateTime)
            campo->setAsDateTime(QDateTime(*fecha, QTime(0, 0)));
        else
            campo->setAsString(ChileanText::fromDate(*fecha));
    }
    return {};
}

QString ComprobarLimite(const Field *campo, TTipoValidaciones tipos, double limite)
{
    const std::optional<double> leido = valorNumerico(campo);
    // An empty field reads as 0, as a number field does.
    const double valor = leido.value_or(0);
    const bool numero = leido.has_value() || campo->IsNull() || campo->AsString().trimmed().isEmpty();
    const QString texto = ChileanText::fromDouble(limite);
    if (tipos.contains(tvMenor) && (!numero || valor >= limite))
        return QStringLiteral("debe ser menor que ") + texto;
    if (tipos.contains(tvMenorIgual) && (!numero || valor > limite))
        return QStringLiteral("debe ser menor o igual a ") + texto;
    if (tipos.contains(tvMayorIgual) && (!numero || valor < limite))
        return QStringLiteral("debe ser mayor o igual a ") + texto;
    if (tipos.contains(tvMayor) && (!numero || valor <= limite))
        return QStringLiteral("debe ser mayor que ") + texto;
    return {};
}
