#include "consultasppal.h"

#include "shelllog.h"
#include "util_bbdd.h"

namespace {

void registrarFallo()
{
    if (const SqlError error = UltimoErrorBBDD(); error.isValid())
        qCWarning(lcShell).noquote() << error.text();
}

} // namespace

namespace ConsultasPpal {

QList<QPair<QString, QString>> extensionesFormularios(const QString &bd)
{
    QList<QPair<QString, QString>> result;
    const QList<QStringList> filas =
        Consulta3(bd, QStringLiteral("SELECT form_extension, form_descripcion FROM formularios ORDER BY form_extension"));
    registrarFallo();
    for (const QStringList &fila : filas)
        result.append({fila.value(0), fila.value(1)});
    return result;
}

bool existeConsultor(const QString &bd, int consId)
{
    const bool existe = Asercion(bd, QStringLiteral("FROM consultor WHERE cons_id = ?"), {consId});
    registrarFallo();
    return existe;
}

QString nombreConsultor(const QString &bd, int consId, bool apellidoPrimero)
{
    const QList<QStringList> filas =
        Consulta3(bd, QStringLiteral("SELECT cons_paterno, cons_materno, cons_nombre FROM consultor WHERE cons_id = ?"), {consId});
    registrarFallo();
    if (filas.isEmpty())
        return QString();
    const QStringList &f = filas.first();
    return apellidoPrimero ? f.value(0) + QLatin1Char(' ') + f.value(1) + QStringLiteral(", ") + f.value(2)
                           : f.value(2) + QLatin1Char(' ') + f.value(0) + QLatin1Char(' ') + f.value(1);
}

} // namespace ConsultasPpal
