// The property section and the main database: the fill from the property register and
// the write-back on save, each in one transaction.
#include "seccionpredio.h"

#include "abort.h"
#include "connection.h"
#include "dataset.h"
#include "dialogservice.h"
#include "fallaprogramacion.h"
#include "field.h"
#include "table.h"
#include "tcustommdichild.h"
#include "transaction.h"

#include <QApplication>
#include <QDate>
#include <QLoggingCategory>
#include <QPointer>
#include <QScopeGuard>

namespace {

Q_LOGGING_CATEGORY(lcPredio, "brenvik.zedivu.predio", QtWarningMsg)

bool enEdicion(const Dataset *ds)
{
    return ds->State() == DatasetState::Edit || ds->State() == DatasetState::Insert;
}

// A working table and the register's rows that replace its rows.
struct Reemplazo
{
    Dataset *ds = nullptr;
    QString tabla;
    QStringList columnas;
    QList<QVariantList> filas;
};

// Runs the statements of a write-back, keeping the first error.
class Escritor
{
public:
    Escritor(Connection &conexion, QString &error)
        : m_conexion(conexion)
        , m_error(error)
    {
    }
    bool exec(const QString &sql, const QVariantList &params)
    {
        if (m_conexion.exec(sql, params))
            return true;
        m_error = m_conexion.lastError().text();
        return false;
    }
    bool select(const QString &sql, const QVariantList &params, QueryResult &r)
    {
        r = m_conexion.select(sql, params);
        if (!r.ok)
            m_error = r.error.text();
        return r.ok;
    }

private:
    Connection &m_conexion;
    QString &m_error;
};

} // namespace

// --- fill

bool SeccionPredio::llenar()
{
    Dataset *ppal = m_formulario->DatasetPpal;
    Connection *bd = m_formulario->ConexionBDPpal;
    Connection *trabajo = m_formulario->ConexionBD;
    // Per row the register's choice is the form's; the row takes it once filled.
    const int codigo = porFila() ? m_formulario->PredCodigo : codigoPredio();
    if (codigo < 1 || !ppal || !bd || !trabajo)
        return false;
    const bool guardando = m_formulario->Guardando;
    m_formulario->Guardando = true;
    const auto restaurar = qScopeGuard([&] { m_formulario->Guardando = guardando; });
    if (!enEdicion(ppal))
        ppal->Edit();
    if (!enEdicion(ppal)) {
        FALLA_PROGRAMACION(QStringLiteral("adsPpal no esta editable"));
        return false;
    }
    // A row being inserted gets its key, which its property rows will carry.
    if (porFila() && (!campo(m_config.campoFila) || campo(m_config.campoFila)->IsNull())) {
        catchAbort([ppal] {
            ppal->Post();
            ppal->Edit();
        });
        if (!campo(m_config.campoFila) || campo(m_config.campoFila)->IsNull() || !enEdicion(ppal)) {
            FALLA_PROGRAMACION(QStringLiteral("adsPpal no esta editable"));
            return false;
        }
    }
    const QString filtro = filtroFila();
    const QVariantList fila = parametrosFila();

    // Everything is read before anything changes, so that a failure changes nothing.
    const QueryResult predio = bd->select(
        QStringLiteral("SELECT pred_codigo, pred_nombre, pred_comuna, pred_superficie, pred_superficie_sii, "
                       "pred_superficie_et, pred_ubicacion FROM predio WHERE pred_codigo = ?"),
        {codigo});
    QString error = predio.ok ? QString() : predio.error.text();
    if (predio.ok && predio.rows.isEmpty())
        error = QStringLiteral("el predio %1 no existe en la base de datos central").arg(codigo);

    QList<Reemplazo> reemplazos;
    auto leer = [&](const QString &parte, const QStringList &columnas, const QString &sql) {
        if (!error.isEmpty())
            return;
        Reemplazo r{tabla(parte), m_config.tabla(parte), columnas, {}};
        if (!r.ds) {
            error = QStringLiteral("falta la tabla %1").arg(r.tabla);
            return;
        }
        const QueryResult q = bd->select(sql, {codigo});
        if (!q.ok)
            error = q.error.text();
        r.filas = q.rows;
        reemplazos << r;
    };
    auto columnasPersona = [](bool conFono, bool conSexo) {
        QStringList c = {QStringLiteral("nom"), QStringLiteral("pat"), QStringLiteral("mat"), QStringLiteral("rut"),
                         QStringLiteral("dv"), QStringLiteral("dom"), QStringLiteral("com"), QStringLiteral("ciu")};
        if (conFono)
            c << QStringLiteral("fono");
        if (conSexo)
            c << QStringLiteral("sexo");
        return c;
    };
    auto sqlPersona = [](const QString &enlace, bool conFono, bool conSexo) {
        return QStringLiteral("SELECT r.pers_nombre, r.pers_paterno, r.pers_materno, r.pers_rut, r.pers_dv, "
                              "r.pers_direccion, r.pers_comuna, r.pers_ciudad%1%2 FROM %3 p, persona r "
                              "WHERE r.pers_codigo = p.pers_codigo AND p.pred_codigo = ? ORDER BY p.rowid")
            .arg(conFono ? QStringLiteral(", r.pers_telefono") : QString(),
                 conSexo ? QStringLiteral(", r.pers_sexo") : QString(), enlace);
    };
    if (m_config.coordenadas)
        leer(QStringLiteral("coo"), {QStringLiteral("pun"), QStringLiteral("n"), QStringLiteral("e")},
             QStringLiteral("SELECT coor_punto_referencia, coor_norte, coor_este FROM coordenada WHERE pred_codigo = ? "
                            "ORDER BY coor_orden"));
    leer(QStringLiteral("rol"), {QStringLiteral("rol"), QStringLiteral("com")},
         QStringLiteral("SELECT rol_numero, rol_comuna FROM rol WHERE pred_codigo = ? ORDER BY rowid"));
    if (m_config.rolesContiguos)
        leer(QStringLiteral("rol_con"), {QStringLiteral("rol")},
             QStringLiteral("SELECT rol_numero FROM rol_contiguo WHERE pred_codigo = ? ORDER BY rowid"));
    // The owners keep their sex: a picked property must not lose what the register knows.
    leer(QStringLiteral("pro"), columnasPersona(true, m_config.sexoPropietarios),
         sqlPersona(QStringLiteral("propietario"), true, m_config.sexoPropietarios));
    if (m_config.llenarRepresentantes)
        leer(QStringLiteral("rep"), columnasPersona(m_config.telefonoRepresentantes, m_config.sexoRepresentantes),
             sqlPersona(QStringLiteral("representante"), m_config.telefonoRepresentantes, m_config.sexoRepresentantes));
    leer(QStringLiteral("con"),
         {QStringLiteral("foj"), QStringLiteral("num"), QStringLiteral("ano"), QStringLiteral("con")},
         QStringLiteral("SELECT cons_fojas, cons_numero, cons_agno, cons_conservador FROM conservador "
                        "WHERE pred_codigo = ? ORDER BY cons_codigo"));
    leer(QStringLiteral("cer"), {QStringLiteral("cer"), QStringLiteral("fec")},
         QStringLiteral("SELECT mini_certbn, mini_fecha FROM ministerio WHERE pred_codigo = ? ORDER BY mini_codigo"));

    if (error.isEmpty()) {
        for (const Reemplazo &r : std::as_const(reemplazos)) {
            if (enEdicion(r.ds))
                r.ds->Cancel();
        }
        Transaction tr(*trabajo);
        bool ok = tr.isActive();
        for (const Reemplazo &r : std::as_const(reemplazos)) {
            ok = ok && trabajo->exec(QStringLiteral("DELETE FROM ") + r.tabla + filtro, fila);
            QStringList columnas = r.columnas;
            if (porFila())
                columnas << m_config.campoFila;
            QStringList marcas;
            for (int i = 0; i < columnas.size(); ++i)
                marcas << QStringLiteral("?");
            const QString insert = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                       .arg(r.tabla, columnas.join(QStringLiteral(", ")), marcas.join(QStringLiteral(", ")));
            for (const QVariantList &valores : r.filas)
                ok = ok && trabajo->exec(insert, valores + fila);
        }
        ok = ok && tr.commit();
        if (!ok)
            error = trabajo->lastError().text();
    }
    if (!error.isEmpty()) {
        qCWarning(lcPredio) << "fill of" << m_config.codigo << codigo << "failed:" << error;
        m_formulario->DialogoError(QStringLiteral("No se pudo leer el predio de la base de datos central: ") + error);
        return false;
    }

    const QVariantList &leido = predio.rows.first();
    auto poner = [this](const QString &nombre, const QVariant &valor) {
        if (Field *f = campo(nombre))
            f->setValue(valor);
    };
    poner(m_config.campoCodigo, leido.value(0));
    setCodigoPredio(leido.value(0).toInt());
    poner(m_config.campoNombre, leido.value(1));
    poner(m_config.campoComuna, leido.value(2)); // fills province and region
    poner(m_config.campoSuperficie, leido.value(3));
    poner(m_config.campoSuperficieSii, leido.value(4));
    poner(m_config.campoSuperficieTitulo, leido.value(5));
    poner(m_config.campoUbicacion, leido.value(6));
    if (m_config.fechaAlLlenar)
        poner(m_config.campoFecha, QDate::currentDate().startOfDay());
    catchAbort([ppal] {
        ppal->Post();
        ppal->Edit();
    });
    m_nombres.insert(claveFila(), leido.value(1).toString());
    for (const Reemplazo &r : std::as_const(reemplazos)) {
        r.ds->Refresh();
        r.ds->First();
        m_formulario->AdsEventoAfterPost(r.ds);
    }
    refrescarFirmantes();
    return true;
}

void SeccionPredio::elegirDelRegistro()
{
    if (m_formulario->Dialogo(mtWarning,
                              QStringLiteral("La inclusión de datos de un predio puede involucrar el reemplazo de\nparte de "
                                             "la información ingresada.\n\n¿Está seguro que desea continuar?"),
                              MB::YESNO)
        != ID::YES)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restaurar = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    // No choice (or no register) keeps the property the section has.
    const int elegido = m_formulario->ElegirPredioRegistro();
    if (elegido < 1)
        return;
    const int anterior = codigoPredio();
    setCodigoPredio(elegido);
    bool llenado = false;
    catchAbort([&] { llenado = llenar(); });
    if (!llenado)
        setCodigoPredio(anterior);
}

// --- write-back

QList<int> SeccionPredio::prediosDeNombre(const QString &nombre) const
{
    QList<int> codigos;
    const QueryResult r = m_formulario->ConexionBDPpal->select(
        QStringLiteral("SELECT pred_codigo, pred_nombre FROM predio ORDER BY pred_codigo"));
    for (const QVariantList &fila : r.rows) {
        // Compared here rather than in SQL, whose case rules stop at ASCII (Ñ, Á).
        if (fila.value(1).toString().trimmed().compare(nombre.trimmed(), Qt::CaseInsensitive) == 0)
            codigos << fila.value(0).toInt();
    }
    return codigos;
}

bool SeccionPredio::esPropio(int codigo) const
{
    const QueryResult r = m_formulario->ConexionBDPpal->select(QStringLiteral("SELECT pred_nombre FROM predio WHERE pred_codigo = ?"),
                                                               {codigo});
    // A register that cannot be read fails the write-back itself, with its message.
    if (!r.ok)
        return true;
    if (r.rows.isEmpty())
        return false;
    const auto conocido = m_nombres.constFind(claveFila());
    return conocido == m_nombres.cend()
           || conocido->trimmed().compare(r.rows.first().value(0).toString().trimmed(), Qt::CaseInsensitive) == 0;
}

void SeccionPredio::recordarNombres()
{
    m_nombres.clear();
    if (!porFila()) {
        const Field *codigo = campo(m_config.campoCodigo);
        const Field *nombre = campo(m_config.campoNombre);
        if (codigo && nombre && !codigo->IsNull() && codigo->AsInteger() > 0)
            m_nombres.insert(0, nombre->AsString());
        return;
    }
    const auto *principal = qobject_cast<Table *>(m_formulario->DatasetPpal);
    Connection *trabajo = m_formulario->ConexionBD;
    if (!principal || !trabajo)
        return;
    const QueryResult r = trabajo->select(QStringLiteral("SELECT %1, %2, %3 FROM %4")
                                              .arg(m_config.campoFila, m_config.campoCodigo, m_config.campoNombre,
                                                   principal->TableName()));
    for (const QVariantList &fila : r.rows) {
        if (!fila.value(1).isNull() && fila.value(1).toLongLong() > 0)
            m_nombres.insert(fila.value(0).toLongLong(), fila.value(2).toString());
    }
}

qint64 SeccionPredio::claveFila() const
{
    const Field *f = porFila() ? campo(m_config.campoFila) : nullptr;
    return f && !f->IsNull() ? f->AsInteger() : 0;
}

bool SeccionPredio::publicarTablas()
{
    for (const char *parte : {"rol", "con", "cer", "pro", "rep", "coo", "rol_con"}) {
        Dataset *ds = tabla(QLatin1String(parte));
        if (ds && enEdicion(ds) && !ds->Post()) {
            m_formulario->DialogoError(ds->lastError().text());
            return false;
        }
    }
    return true;
}

void SeccionPredio::guardar()
{
    Connection *bd = m_formulario->ConexionBDPpal;
    Dataset *ppal = m_formulario->DatasetPpal;
    if (!bd || !ppal || !m_formulario->ConexionBD)
        return;
    // A row being typed belongs to what is written (its checks may stop the save).
    if (!publicarTablas())
        Abort();
    Field *nombre = campo(m_config.campoNombre);
    if (!nombre || nombre->AsString().trimmed().isEmpty()) {
        m_formulario->Dialogo(mtWarning, m_config.avisoNombreVacio, MB::OK);
        return;
    }
    const int propio = codigoPredio();
    // A code the register no longer gives this property names none: the property is
    // registered as a new one (with the same-name question), and the other property the
    // code may now belong to is never written over.
    const int codigo = propio >= 1 && !esPropio(propio) ? -1 : propio;
    m_anterior.reset();
    int reemplazado = -1;
    if (codigo < 1) {
        QList<int> iguales = prediosDeNombre(nombre->AsString());
        // What another section of this form has just written is that section's property:
        // replacing it would merge two properties of the document into one.
        for (const SeccionPredio *otra : m_formulario->findChildren<SeccionPredio *>()) {
            if (otra != this && otra->m_escrito > 0)
                iguales.removeAll(otra->m_escrito);
        }
        if (!iguales.isEmpty()) {
            const int r = m_formulario->Dialogo(
                mtConfirmation,
                QStringLiteral("Ya existe un predio con el mismo nombre en la base de datos.\n¿Desea sobreescribir la "
                               "información existente con la de este predio?\n\nNOTA: Responder \"No\" significará la "
                               "creación de un predio\nnuevo con el mismo nombre."),
                MB::YESNOCANCEL);
            if (r != ID::YES && r != ID::NO)
                return;
            if (r == ID::YES)
                reemplazado = iguales.first();
        }
    }
    int nuevo = codigo;
    QString error;
    m_sinRut = 0;
    if (!escribir(codigo, reemplazado, nuevo, error)) {
        qCWarning(lcPredio) << "write-back of" << m_config.codigo << codigo << "failed:" << error;
        m_formulario->DialogoError(QStringLiteral("No se pudo guardar el predio en la base de datos central: ") + error);
        Abort();
    }
    // Said once however many rows it concerns: the document keeps them all the same.
    if (m_sinRut > 0)
        m_formulario->Dialogo(mtWarning,
                              QStringLiteral("Los propietarios o representantes sin R.U.T. no se almacenarán en la base de datos "
                                             "central.\n\nPese a ello, igualmente se guardarán en el archivo especificado."),
                              MB::OK);
    m_escrito = nuevo;
    const Field *campoCodigo = campo(m_config.campoCodigo);
    const QVariant valorCampo = campoCodigo ? campoCodigo->Value() : QVariant();
    const qint64 clave = claveFila();
    m_anterior = Anterior{propio, valorCampo,
                          m_nombres.contains(clave) ? std::optional<QString>(m_nombres.value(clave)) : std::nullopt, false, clave};
    m_nombres.insert(clave, nombre->AsString());
    // The document keeps the code the register holds its property under, also when the
    // code it was read with has gone.
    const bool campoAlDia = !campoCodigo || (!valorCampo.isNull() && valorCampo.toLongLong() == nuevo);
    if (nuevo == propio && campoAlDia) {
        // Per row the form names the property the save wrote, whichever row it was.
        if (porFila() && m_formulario->PredCodigo != nuevo)
            ponerCodigo(nuevo, nuevo);
        return;
    }
    m_anterior->cambiado = true;
    ponerCodigo(nuevo, nuevo);
}

void SeccionPredio::borrarFila()
{
    const Field *clave = campo(m_config.campoFila);
    auto *principal = qobject_cast<Table *>(m_formulario->DatasetPpal);
    Connection *trabajo = m_formulario->ConexionBD;
    if (!porFila() || !clave || clave->IsNull() || !principal || !trabajo)
        return;
    const QVariant fila = clave->Value();
    for (const QString &parte : partes()) {
        if (Dataset *ds = tabla(parte); ds && enEdicion(ds))
            ds->Cancel();
    }
    Transaction tr(*trabajo);
    bool ok = tr.isActive();
    for (const QString &parte : partes())
        ok = ok && trabajo->exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(m_config.tabla(parte), m_config.campoFila), {fila});
    ok = ok && trabajo->exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(principal->TableName(), m_config.campoFila), {fila});
    ok = ok && tr.commit();
    if (!ok) {
        const QString error = trabajo->lastError().text();
        qCWarning(lcPredio) << "delete of property row" << fila << "failed:" << error;
        m_formulario->DialogoError(QStringLiteral("No se pudo eliminar el predio: ") + error);
        Abort();
    }
}

void SeccionPredio::terminarGuardado(bool guardado)
{
    m_escrito = 0;
    if (!m_anterior)
        return;
    const Anterior anterior = *m_anterior;
    m_anterior.reset();
    if (guardado)
        return;
    if (anterior.nombre)
        m_nombres.insert(anterior.clave, *anterior.nombre);
    else
        m_nombres.remove(anterior.clave);
    if (anterior.cambiado)
        ponerCodigo(anterior.codigo, anterior.campo);
}

void SeccionPredio::ponerCodigo(int codigo, const QVariant &valorCampo)
{
    Dataset *ppal = m_formulario->DatasetPpal;
    const bool guardando = m_formulario->Guardando;
    m_formulario->Guardando = true;
    catchAbort([&] {
        if (!enEdicion(ppal))
            ppal->Edit();
        if (Field *f = campo(m_config.campoCodigo))
            f->setValue(valorCampo);
        // Posted and left so: the save goes on to post every dataset of the form.
        ppal->Post();
    });
    m_formulario->Guardando = guardando;
    setCodigoPredio(codigo);
    if (m_config.principal) {
        for (const QPointer<TCustomMDIChild> &h : std::as_const(m_formulario->Hermanos)) {
            if (h)
                h->PredCodigo = codigo;
        }
    }
}

bool SeccionPredio::escribir(int codigo, int reemplazado, int &nuevo, QString &error)
{
    Connection &bd = *m_formulario->ConexionBDPpal;
    Transaction tr(bd);
    if (!tr.isActive()) {
        error = bd.lastError().text();
        return false;
    }
    Escritor w(bd, error);
    static const QStringList hijas = {QStringLiteral("coordenada"), QStringLiteral("rol"), QStringLiteral("rol_contiguo"),
                                      QStringLiteral("conservador"), QStringLiteral("ministerio"),
                                      QStringLiteral("propietario")};
    // The replaced property goes with everything that hangs from it; no other property of
    // that name is touched.
    if (reemplazado > 0) {
        for (const QString &t : hijas + QStringList{QStringLiteral("representante"), QStringLiteral("predio")}) {
            if (!w.exec(QStringLiteral("DELETE FROM %1 WHERE pred_codigo = ?").arg(t), {reemplazado}))
                return false;
        }
    }

    QStringList columnas;
    QVariantList valores;
    auto columna = [&](const QString &nombreCampo, const char *col) {
        if (Field *f = campo(nombreCampo)) {
            columnas << QLatin1String(col);
            valores << f->Value();
        }
    };
    columna(m_config.campoNombre, "pred_nombre");
    columna(m_config.campoSuperficie, "pred_superficie");
    columna(m_config.campoSuperficieSii, "pred_superficie_sii");
    columna(m_config.campoSuperficieTitulo, "pred_superficie_et");
    columna(m_config.campoUbicacion, "pred_ubicacion");
    columna(m_config.campoComuna, "pred_comuna");
    columna(m_config.campoProvincia, "pred_provincia");
    columna(m_config.campoRegion, "pred_region");

    bool existe = codigo >= 1;
    if (existe) {
        for (const QString &t : hijas) {
            if ((t == QLatin1String("coordenada") && !m_config.coordenadas)
                || (t == QLatin1String("rol_contiguo") && !m_config.rolesContiguos))
                continue;
            if (!w.exec(QStringLiteral("DELETE FROM %1 WHERE pred_codigo = ?").arg(t), {codigo}))
                return false;
        }
        if (!w.exec(QStringLiteral("UPDATE predio SET %1 = ? WHERE pred_codigo = ?").arg(columnas.join(QStringLiteral(" = ?, "))),
                    valores + QVariantList{codigo}))
            return false;
        // A property removed from the register meanwhile is written anew rather than
        // leaving its rows without a property.
        existe = bd.changes() > 0;
    }
    nuevo = codigo;
    if (!existe) {
        QStringList marcas;
        for (int i = 0; i < columnas.size(); ++i)
            marcas << QStringLiteral("?");
        if (!w.exec(QStringLiteral("INSERT INTO predio (%1) VALUES (%2)")
                        .arg(columnas.join(QStringLiteral(", ")), marcas.join(QStringLiteral(", "))),
                    valores))
            return false;
        nuevo = int(bd.lastInsertRowId());
        // Documents that pointed at the replaced property now point at this one, whichever
        // section replaced it: the old code no longer exists.
        if (reemplazado > 0
            && !w.exec(QStringLiteral("UPDATE formPredio SET pred_codigo = ? WHERE pred_codigo = ?"), {nuevo, reemplazado}))
            return false;
    }

    Connection &trabajo = *m_formulario->ConexionBD;
    auto copiar = [&](const QString &parte, const QString &desde, const QString &hacia) {
        const QueryResult r = trabajo.select(
            QStringLiteral("SELECT %1 FROM %2%3 ORDER BY rowid").arg(desde, m_config.tabla(parte), filtroFila()),
            parametrosFila());
        if (!r.ok) {
            error = r.error.text();
            return false;
        }
        QStringList marcas = {QStringLiteral("?")};
        for (int i = 0; i < r.columns.size(); ++i)
            marcas << QStringLiteral("?");
        const QString sql = QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(hacia, marcas.join(QStringLiteral(", ")));
        for (const QVariantList &fila : r.rows) {
            if (!w.exec(sql, QVariantList{nuevo} + fila))
                return false;
        }
        return true;
    };
    if (m_config.coordenadas
        && !copiar(QStringLiteral("coo"), QStringLiteral("pun, n, e"),
                   QStringLiteral("coordenada (pred_codigo, coor_punto_referencia, coor_norte, coor_este)")))
        return false;
    if (!copiar(QStringLiteral("rol"), QStringLiteral("rol, com"), QStringLiteral("rol (pred_codigo, rol_numero, rol_comuna)")))
        return false;
    if (m_config.rolesContiguos
        && !copiar(QStringLiteral("rol_con"), QStringLiteral("rol"), QStringLiteral("rol_contiguo (pred_codigo, rol_numero)")))
        return false;
    if (!copiar(QStringLiteral("con"), QStringLiteral("foj, num, ano, con"),
                QStringLiteral("conservador (pred_codigo, cons_fojas, cons_numero, cons_agno, cons_conservador)")))
        return false;
    if (!copiar(QStringLiteral("cer"), QStringLiteral("cer, fec"), QStringLiteral("ministerio (pred_codigo, mini_certbn, mini_fecha)")))
        return false;
    if (!escribirPersonas(nuevo, QStringLiteral("pro"), true, error))
        return false;
    if (m_config.escribirRepresentantes && !escribirPersonas(nuevo, QStringLiteral("rep"), false, error))
        return false;
    if (!tr.commit()) {
        error = bd.lastError().text();
        return false;
    }
    return true;
}

bool SeccionPredio::escribirPersonas(int codigo, const QString &parte, bool propietarios, QString &error)
{
    Connection &bd = *m_formulario->ConexionBDPpal;
    Escritor w(bd, error);
    const bool conSexo = propietarios ? m_config.sexoPropietarios && m_config.escribirSexoPropietarios
                                      : m_config.sexoRepresentantes;
    QueryResult r;
    Escritor lector(*m_formulario->ConexionBD, error);
    if (!lector.select(QStringLiteral("SELECT pat, mat, nom, rut, dv, dom, ciu, com, %1, %2 FROM %3%4 ORDER BY rowid")
                           .arg(propietarios ? QStringLiteral("fono") : QStringLiteral("NULL"),
                                conSexo ? QStringLiteral("sexo") : QStringLiteral("NULL"), m_config.tabla(parte), filtroFila()),
                       parametrosFila(), r))
        return false;
    const QString marca = propietarios ? QStringLiteral("pers_es_propietario") : QStringLiteral("pers_es_representante");
    for (const QVariantList &f : std::as_const(r.rows)) {
        const QVariant rut = f.value(3);
        // A person is known by the R.U.T.; a row without one cannot be matched to a person.
        if (rut.isNull() || rut.toLongLong() <= 0) {
            ++m_sinRut;
            continue;
        }
        QueryResult existe;
        if (!w.select(QStringLiteral("SELECT pers_codigo FROM persona WHERE pers_rut = ? ORDER BY pers_codigo LIMIT 1"),
                      {rut}, existe))
            return false;
        QStringList columnas = {QStringLiteral("pers_paterno"), QStringLiteral("pers_materno"), QStringLiteral("pers_nombre"),
                                QStringLiteral("pers_dv"), QStringLiteral("pers_direccion"), QStringLiteral("pers_ciudad"),
                                QStringLiteral("pers_comuna")};
        QVariantList valores = {f.value(0), f.value(1), f.value(2), f.value(4), f.value(5), f.value(6), f.value(7)};
        int persona = 0;
        if (!existe.rows.isEmpty()) {
            if (propietarios) {
                columnas << QStringLiteral("pers_telefono");
                valores << f.value(8);
            }
            if (conSexo) {
                columnas << QStringLiteral("pers_sexo");
                valores << f.value(9);
            }
            columnas << marca;
            valores << 1;
            if (!w.exec(QStringLiteral("UPDATE persona SET %1 = ? WHERE pers_rut = ?").arg(columnas.join(QStringLiteral(" = ?, "))),
                        valores + QVariantList{rut}))
                return false;
            persona = existe.rows.first().value(0).toInt();
        } else {
            columnas << QStringLiteral("pers_rut") << QStringLiteral("pers_telefono");
            valores << rut << (propietarios ? f.value(8) : QVariant(QString()));
            if (conSexo) {
                columnas << QStringLiteral("pers_sexo");
                valores << f.value(9);
            }
            columnas << marca;
            valores << 1;
            QStringList marcas;
            for (int i = 0; i < columnas.size(); ++i)
                marcas << QStringLiteral("?");
            if (!w.exec(QStringLiteral("INSERT INTO persona (%1) VALUES (%2)")
                            .arg(columnas.join(QStringLiteral(", ")), marcas.join(QStringLiteral(", "))),
                        valores))
                return false;
            persona = int(bd.lastInsertRowId());
        }
        if (propietarios
            && !w.exec(QStringLiteral("INSERT INTO propietario (pred_codigo, pers_codigo) VALUES (?, ?)"), {codigo, persona}))
            return false;
    }
    return true;
}
