#pragma once
// A stand-in for the request form DORVO of a document, holding what the forms bound to
// it read: its type code and signatory, its main row (property, city, date) behind the
// data source "dsrcPpal", the combos of its commune, province and region, and the tables
// of owners, representatives, rolls, adjoining rolls and coordinates on its connection,
// shown in its grids.
#include "tcustommdichild.h"

#include "connection.h"
#include "datasource.h"
#include "dbgrid.h"
#include "dblookupcombobox.h"
#include "gridcolumn.h"
#include "query.h"
#include "table.h"

#include <QByteArray>

class TFormDorvoPrueba : public TCustomMDIChild
{
public:
    // `dir`: a folder for its working database; `bd`: the main database (the localities).
    TFormDorvoPrueba(const QString &dir, const QString &bd)
    {
        Codigo = QStringLiteral("DORVO");
        TisoCodigo = 12;
        FirmanteNombre = QStringLiteral("Ana María Soto Díaz");
        FirmanteRut = 11111111;
        FirmanteDv = QLatin1Char('1');
        m_conexion.open(dir + QStringLiteral("dorvo.db"), Connection::ReadWriteCreate);
        m_conexion.execScript(QString::fromUtf8(kEsquema));
        ConexionBD = &m_conexion;
        m_principal.open(bd, Connection::ReadOnly);
        ConexionBDPpal = &m_principal;

        auto *ppal = tabla(QStringLiteral("adsPpal"), QStringLiteral("dorvo"));
        DatasetPpal = ppal;
        auto *dsrcPpal = new DataSource(this);
        dsrcPpal->setObjectName(QStringLiteral("dsrcPpal"));
        dsrcPpal->setDataSet(ppal);
        for (const char *sufijo : {"pro", "rep", "rol", "rol_con", "coo"})
            tabla(QStringLiteral("adtDORVO_") + QLatin1String(sufijo), QStringLiteral("dorvo_") + QLatin1String(sufijo));
        grilla(QStringLiteral("pro"), {{"rut", "RUT"}, {"dv", "DV"}, {"nom", "Nombre(s)"}, {"pat", "Apellido Paterno"},
                                       {"mat", "Apellido Materno"}});
        grilla(QStringLiteral("rol"), {{"rol", "Rol"}, {"com", "Comuna"}});
        grilla(QStringLiteral("coo"), {{"pun", "Punto de referencia"}, {"n", "Coordenadas UTM | N"}, {"e", "Coordenadas UTM | E"}});
        grilla(QStringLiteral("rol_con"), {{"rol", "Rol"}});

        auto *localidades = new Query(this);
        localidades->setConnection(&m_principal);
        localidades->setSQL(QStringLiteral("SELECT loca_codigo, loca_descripcion FROM localidad"), {});
        localidades->Open();
        auto *dsrcLocalidades = new DataSource(this);
        dsrcLocalidades->setDataSet(localidades);
        for (const char *campo : {"com", "prv", "reg"}) {
            auto *combo = new DBLookupComboBox(this);
            combo->setObjectName(QStringLiteral("lcb_") + QLatin1String(campo));
            combo->setListSource(dsrcLocalidades, QStringLiteral("loca_codigo"), QStringLiteral("loca_descripcion"));
            combo->setDataSource(dsrcPpal, QLatin1String(campo));
        }
    }

    void Nuevo() override {}
    void ComponerImpresion(TImpresion *) override {}
    QByteArray PrepararXML() override { return {}; }

private:
    Table *tabla(const QString &nombre, const QString &tabla)
    {
        auto *t = new Table(this);
        t->setObjectName(nombre);
        t->setConnection(&m_conexion);
        t->setTableName(tabla);
        t->Open();
        return t;
    }

    void grilla(const QString &sufijo, const QList<QPair<const char *, const char *>> &columnas)
    {
        auto *fuente = new DataSource(this);
        fuente->setDataSet(findChild<Dataset *>(QStringLiteral("adtDORVO_") + sufijo));
        auto *g = new DBGrid(this);
        g->setObjectName(QStringLiteral("dbgDORVO_") + sufijo);
        for (const auto &[campo, titulo] : columnas)
            g->addColumn(QLatin1String(campo))->setTitle(QString::fromUtf8(titulo));
        g->setDataSource(fuente);
    }

    static constexpr const char *kEsquema =
        "CREATE TABLE dorvo (id INTEGER PRIMARY KEY, nom_pre VARCHAR(60), sup DOUBLE, sup_tit DOUBLE, sup_sii DOUBLE,"
        " via TEXT, com VARCHAR(6), prv VARCHAR(6), reg VARCHAR(6), ciu VARCHAR(40), fec DATETIME);"
        "INSERT INTO dorvo VALUES (1, 'Fundo Los Quillayes', 120.5, 118, 121.25,"
        " 'Ruta M-50, km 12, camino a Putú', '07102', '071', '07', 'Constitución', '2026-03-02 00:00:00');"
        "CREATE TABLE dorvo_pro (id INTEGER PRIMARY KEY, rut INTEGER, dv VARCHAR(1), nom VARCHAR(30), pat VARCHAR(30),"
        " mat VARCHAR(30), dom VARCHAR(60), ciu VARCHAR(30), com VARCHAR(6), firm BOOLEAN);"
        "INSERT INTO dorvo_pro VALUES (1, 11111111, '1', 'Ana María', 'Soto', 'Díaz', 'Freire 120', 'Constitución',"
        " '07102', 1), (2, 22222222, '2', 'José', 'Muñoz', 'Vera', 'Portales 44', 'Talca', '07101', 0);"
        "CREATE TABLE dorvo_rep (id INTEGER PRIMARY KEY, rut INTEGER, dv VARCHAR(1), nom VARCHAR(30), pat VARCHAR(30),"
        " mat VARCHAR(30), firm BOOLEAN);"
        "CREATE TABLE dorvo_rol (id INTEGER PRIMARY KEY, rol VARCHAR(20), com VARCHAR(6));"
        "INSERT INTO dorvo_rol VALUES (1, '123-45', '07102'), (2, '123-46', '07102');"
        "CREATE TABLE dorvo_rol_con (id INTEGER PRIMARY KEY, rol VARCHAR(20));"
        "INSERT INTO dorvo_rol_con VALUES (1, '123-40');"
        "CREATE TABLE dorvo_coo (id INTEGER PRIMARY KEY, pun VARCHAR(30), n INTEGER, e INTEGER);"
        "INSERT INTO dorvo_coo VALUES (1, 'Portón de acceso', 6085200, 742100), (2, 'Esquina norte', 6086400, 743000);";

    Connection m_conexion;
    Connection m_principal;
};
