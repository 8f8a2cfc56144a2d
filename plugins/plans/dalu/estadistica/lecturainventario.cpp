#include "lecturainventario.h"

#include "util_texto.h"

#include "chileantext.h"
#include "connection.h"
#include "queryresult.h"

#include <cmath>

namespace EstadisticaDalu {

double numeroGuardado(const QVariant &valor)
{
    if (valor.isNull())
        return 0.0;
    if (valor.typeId() == QMetaType::QString)
        return ChileanText::toDouble(valor.toString()).value_or(0.0);
    return valor.toDouble();
}

namespace {

int entero(const QVariant &valor)
{
    const double n = numeroGuardado(valor);
    return std::isfinite(n) && std::fabs(n) < 2e9 ? int(std::llround(n)) : 0;
}

bool consulta(Connection &conexion, const QString &sql, const QVariantList &params, QueryResult &resultado,
              SqlError *error)
{
    resultado = conexion.select(sql, params);
    if (!resultado.ok && error)
        *error = resultado.error;
    return resultado.ok;
}

} // namespace

std::optional<Inventario> leerInventario(Connection &trabajo, const QVariant &idInv, SqlError *error)
{
    QueryResult fila;
    if (!consulta(trabajo, QStringLiteral("SELECT tip_parc, mag, num_parc FROM dalu_inventario WHERE id_inv=?"),
                  {idInv}, fila, error))
        return std::nullopt;
    Inventario inventario;
    if (fila.isEmpty())
        return inventario;
    inventario.tipoParcela = entero(fila.rows.first().value(0));
    inventario.superficie = numeroGuardado(fila.rows.first().value(1));
    inventario.numeroParcelas = entero(fila.rows.first().value(2));

    QueryResult arboles;
    if (!consulta(trabajo,
                  QStringLiteral("SELECT iv.id_parc, p.esp, p.dap FROM dalu_inv_parcela iv "
                                 "JOIN dalu_parcela p ON p.id_inv_parc = iv.id_inv_parc "
                                 "WHERE iv.id_inv=? AND p.dap IS NOT NULL AND TRIM(p.dap) <> '' "
                                 "ORDER BY iv.id_parc"),
                  {idInv}, arboles, error))
        return std::nullopt;
    for (const QVariantList &arbol : arboles.rows) {
        const int parcela = entero(arbol.value(0));
        if (inventario.parcelas.empty() || inventario.parcelas.back().numero != parcela)
            inventario.parcelas.push_back({parcela, {}});
        inventario.parcelas.back().arboles.push_back({entero(arbol.value(1)), numeroGuardado(arbol.value(2))});
    }
    return inventario;
}

std::optional<std::vector<int>> codigosEspecies(Connection &principal, const QString &esps, SqlError *error)
{
    std::vector<int> codigos;
    if (esps.trimmed().isEmpty())
        return codigos;
    for (const QString &nombre : Explode(esps, QStringLiteral(","))) {
        if (nombre.isEmpty())
            continue;
        QueryResult codigo;
        if (!consulta(principal, QStringLiteral("SELECT espe_codigo FROM especie WHERE espe_descripcion=?"),
                      {nombre}, codigo, error))
            return std::nullopt;
        if (!codigo.isEmpty())
            codigos.push_back(entero(codigo.rows.first().value(0)));
    }
    return codigos;
}

std::optional<std::vector<FilaTablaRodal>> leerTablaRodal(Connection &trabajo, const QVariant &idTabRod,
                                                          std::vector<QVariant> *ids, SqlError *error)
{
    QueryResult r;
    if (!consulta(trabajo,
                  QStringLiteral("SELECT Id, clas_men, clas_may, esp1_den, esp2_den, esp3_den, otra_den, esp1_area, "
                                 "esp2_area, esp3_area, otra_area, esp1_vol, esp2_vol, esp3_vol, otra_vol "
                                 "FROM dalu_tab_rod_det WHERE Id_tab_rod=? ORDER BY Id"),
                  {idTabRod}, r, error))
        return std::nullopt;
    std::vector<FilaTablaRodal> filas;
    if (ids)
        ids->clear();
    for (const QVariantList &v : r.rows) {
        FilaTablaRodal f;
        f.clasMen = numeroGuardado(v.value(1));
        f.clasMay = numeroGuardado(v.value(2));
        for (int g = 0; g < kGrupos; ++g) {
            f.den[g] = numeroGuardado(v.value(3 + g));
            f.area[g] = numeroGuardado(v.value(7 + g));
            f.vol[g] = numeroGuardado(v.value(11 + g));
        }
        filas.push_back(f);
        if (ids)
            ids->push_back(v.value(0));
    }
    return filas;
}

} // namespace EstadisticaDalu
