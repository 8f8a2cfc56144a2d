#include "listapropietarios.h"

#include "connection.h"
#include "ordenlistas.h"

#include <QStringList>
#include <algorithm>

namespace {

// Codes read at once, and names read at once around the row a view asks for.
constexpr std::size_t kTrozo = 2048;
constexpr int kPagina = 128;
// Names kept before the cache starts over (a long scroll must not keep them all).
constexpr int kTextosMaximo = 20000;

QString nombreCompleto(const QVariantList &fila)
{
    QStringList partes;
    for (int i = 1; i <= 3; ++i) {
        if (!fila.value(i).isNull())
            partes << fila.value(i).toString();
    }
    return partes.join(QLatin1Char(' '));
}

} // namespace

ListaPropietarios::ListaPropietarios(Connection *conexion, QObject *parent)
    : QAbstractListModel(parent)
    , m_conexion(conexion)
{
}

void ListaPropietarios::vaciar()
{
    beginResetModel();
    m_duenos.clear();
    m_duenoMarcado.clear();
    m_textosDuenos.clear();
    m_codigosDuenos.clear();
    m_duenosEntrePersonas = 0;
    m_otros.clear();
    m_otroMarcado.clear();
    m_totalPersonas = 0;
    endResetModel();
}

void ListaPropietarios::releerPersonas()
{
    m_totalLeido = false;
    m_personas.clear();
    m_personasCompletas = false;
    m_otros.clear();
    m_textos.clear();
}

bool ListaPropietarios::cargar(const QVariant &predio)
{
    const int antes = rowCount(); // what the views know
    bool ok = true;
    qint64 personas = m_totalPersonas;
    if (!m_totalLeido) {
        const QueryResult total = m_conexion->select(QStringLiteral("SELECT COUNT(*) FROM persona"));
        ok = total.ok;
        personas = ok ? total.rows.value(0).value(0).toLongLong() : 0;
        m_totalLeido = ok;
    }
    const QueryResult r = m_conexion->select(
        QStringLiteral("SELECT p.pers_codigo, p.pers_paterno, p.pers_materno, p.pers_nombre"
                       " FROM persona p, propietario r WHERE p.pers_codigo=r.pers_codigo AND r.pred_codigo=?"),
        {predio.isNull() ? QVariant(0) : predio});
    ok = ok && r.ok;
    std::vector<qint64> duenos;
    QStringList textos;
    QSet<qint64> codigos;
    for (const QVariantList &fila : r.rows) {
        duenos.push_back(fila.value(0).toLongLong());
        codigos.insert(duenos.back());
        textos << nombreCompleto(fila);
    }
    const auto aplicar = [&] {
        m_totalPersonas = personas;
        m_duenos = std::move(duenos);
        m_duenoMarcado.assign(m_duenos.size(), 1);
        m_textosDuenos = textos;
        m_codigosDuenos = codigos;
        m_duenosEntrePersonas = int(codigos.size());
        m_otroMarcado.clear();
        // The persons already known, without this property's owners.
        m_otros.clear();
        m_otros.reserve(m_personas.size());
        for (qint64 codigo : m_personas)
            if (!m_codigosDuenos.contains(codigo))
                m_otros.push_back(codigo);
    };
    // Another property has as many rows (every person once) unless an owner is listed
    // twice: then the rows change in place and the view does not lay the list out again.
    const int despues = int(duenos.size()) + int(std::max<qint64>(0, personas - codigos.size()));
    if (despues == antes && despues > 0) {
        aplicar();
        emit dataChanged(index(0), index(despues - 1));
    } else {
        beginResetModel();
        aplicar();
        endResetModel();
    }
    return ok;
}

void ListaPropietarios::conocerOtros(std::size_t n) const
{
    while (m_otros.size() < n && !m_personasCompletas) {
        std::vector<qint64> trozo;
        const std::size_t cuantos = std::max(kTrozo, n - m_otros.size());
        // The next chunk in the index's order; skipping the known ones walks the index only.
        if (!m_conexion->selectKeys(QStringLiteral("SELECT pers_codigo FROM persona ORDER BY ") + QLatin1String(kOrdenPersonas)
                                        + QStringLiteral(" LIMIT ? OFFSET ?"),
                                    {qlonglong(cuantos), qlonglong(m_personas.size())}, trozo)) {
            m_personasCompletas = true; // a failed read stops here; the rows past it show empty
            return;
        }
        m_personasCompletas = trozo.size() < cuantos;
        for (qint64 codigo : trozo) {
            m_personas.push_back(codigo);
            if (!m_codigosDuenos.contains(codigo))
                m_otros.push_back(codigo);
        }
    }
}

qint64 ListaPropietarios::codigo(int fila) const
{
    const int duenos = int(m_duenos.size());
    if (fila < 0 || fila >= rowCount())
        return 0;
    if (fila < duenos)
        return m_duenos[std::size_t(fila)];
    const std::size_t otro = std::size_t(fila - duenos);
    conocerOtros(otro + 1);
    return otro < m_otros.size() ? m_otros[otro] : 0;
}

std::vector<qint64> ListaPropietarios::marcados() const
{
    std::vector<qint64> out;
    for (std::size_t i = 0; i < m_duenos.size(); ++i)
        if (m_duenoMarcado[i])
            out.push_back(m_duenos[i]);
    std::vector<qint64> otros(m_otroMarcado.begin(), m_otroMarcado.end());
    std::sort(otros.begin(), otros.end());
    out.insert(out.end(), otros.begin(), otros.end());
    return out;
}

int ListaPropietarios::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return int(m_duenos.size()) + int(std::max<qint64>(0, m_totalPersonas - m_duenosEntrePersonas));
}

QString ListaPropietarios::texto(int otro) const
{
    conocerOtros(std::size_t(otro) + kPagina);
    if (std::size_t(otro) >= m_otros.size())
        return {};
    const qint64 codigo = m_otros[std::size_t(otro)];
    const auto hallado = m_textos.constFind(codigo);
    if (hallado != m_textos.constEnd())
        return *hallado;
    if (m_textos.size() > kTextosMaximo)
        m_textos.clear();
    // A page of the other persons from this one on, in one read by code.
    QVariantList codigos;
    QStringList marcas;
    for (std::size_t i = std::size_t(otro); i < m_otros.size() && codigos.size() < kPagina; ++i) {
        if (!m_textos.contains(m_otros[i])) {
            codigos << m_otros[i];
            marcas << QStringLiteral("?");
        }
    }
    const QueryResult r = m_conexion->select(QStringLiteral("SELECT pers_codigo, pers_paterno, pers_materno, pers_nombre"
                                                            " FROM persona WHERE pers_codigo IN (%1)")
                                                 .arg(marcas.join(QLatin1Char(','))),
                                             codigos);
    for (const QVariantList &fila : r.rows)
        m_textos.insert(fila.value(0).toLongLong(), nombreCompleto(fila));
    return m_textos.value(codigo);
}

QVariant ListaPropietarios::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int fila = index.row();
    const int duenos = int(m_duenos.size());
    if (role == Qt::DisplayRole)
        return fila < duenos ? m_textosDuenos[std::size_t(fila)] : texto(fila - duenos);
    if (role == Qt::CheckStateRole) {
        const bool marcado = fila < duenos ? m_duenoMarcado[std::size_t(fila)] != 0 : m_otroMarcado.contains(codigo(fila));
        return marcado ? Qt::Checked : Qt::Unchecked;
    }
    return {};
}

bool ListaPropietarios::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole || index.row() >= rowCount())
        return false;
    const int fila = index.row();
    const bool marcado = value.toInt() == Qt::Checked;
    if (fila < int(m_duenos.size()))
        m_duenoMarcado[std::size_t(fila)] = marcado ? 1 : 0;
    else if (const qint64 persona = codigo(fila); marcado && persona)
        m_otroMarcado.insert(persona);
    else
        m_otroMarcado.remove(persona);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags ListaPropietarios::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}
