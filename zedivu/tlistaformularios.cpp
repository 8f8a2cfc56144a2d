#include "tlistaformularios.h"

#include "util_bbdd.h"

#include <algorithm>

int TListaFormularios::entero(const QString &sql, const QVariant &valor) const
{
    bool ok = false;
    const int n = Consulta(m_archivo, sql, valor.isValid() ? QVariantList{valor} : QVariantList()).toInt(&ok);
    return ok ? n : -1;
}

QString TListaFormularios::texto(const QString &sql, const QVariant &valor) const
{
    return Consulta(m_archivo, sql, {valor});
}

int TListaFormularios::ObtenerCantidad() const
{
    return std::max(0, entero(QStringLiteral("SELECT count(*) FROM tiposolicitud"), QVariant()));
}

int TListaFormularios::ObtenerCombinaciones() const
{
    return std::max(0, entero(QStringLiteral("SELECT count(*) FROM formularios"), QVariant()));
}

int TListaFormularios::GetIndice(const QString &codigo) const
{
    return entero(QStringLiteral("SELECT tiso_numero FROM tiposolicitud WHERE tiso_abreviacion = ?"), codigo);
}

int TListaFormularios::GetCodigo(const QString &codigo) const
{
    return entero(QStringLiteral("SELECT tiso_codigo FROM tiposolicitud WHERE tiso_abreviacion = ?"), codigo);
}

QString TListaFormularios::GetAbreviacion(int i) const
{
    return texto(QStringLiteral("SELECT tiso_abreviacion FROM tiposolicitud WHERE tiso_numero = ?"), i + 1).toUpper();
}

QString TListaFormularios::GetNombre(const QString &codigo) const
{
    return texto(QStringLiteral("SELECT tiso_descripcion FROM tiposolicitud WHERE tiso_abreviacion = ?"), codigo);
}

QString TListaFormularios::GetNombreCompleto(const QString &codigo, int combinacion) const
{
    if (codigo.compare(QLatin1String("LUMO"), Qt::CaseInsensitive) != 0)
        return texto(QStringLiteral("SELECT tiso_desccompleta FROM tiposolicitud WHERE tiso_abreviacion = ?"), codigo);
    return texto(QStringLiteral("SELECT form_titulo FROM formularios WHERE form_id = ?"), combinacion).remove(QLatin1Char('\\'));
}

QString TListaFormularios::GetCombinacionExtension(int id) const
{
    return texto(QStringLiteral("SELECT form_extension FROM formularios WHERE form_id = ?"), id).toUpper();
}

QString TListaFormularios::GetCombinacionNombre(int id) const
{
    return texto(QStringLiteral("SELECT form_descripcion FROM formularios WHERE form_id = ?"), id);
}

QString TListaFormularios::GetCombinacionPrincipal(int id) const
{
    return texto(QStringLiteral("SELECT form_principal FROM formularios WHERE form_id = ?"), id);
}

QString TListaFormularios::GetCombinacionSolicitud(int id) const
{
    return texto(QStringLiteral("SELECT form_solicitud FROM formularios WHERE form_id = ?"), id);
}

QString TListaFormularios::GetCombinacionOpcional1(int id) const
{
    return texto(QStringLiteral("SELECT form_opcional1 FROM formularios WHERE form_id = ?"), id);
}
