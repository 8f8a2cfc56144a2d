#pragma once
// The free-transit guide FENRA in a document with a principal form, for its tests: the
// destination section beside the origin, its property button, reopening, and a guide
// filled whole for the printout and the exchange file.
#include "documentosolicitud.h"

#include <QPushButton>

namespace {

class Fenra : public DocumentoSolicitud
{
protected:
    Fenra()
        : DocumentoSolicitud("FENRA")
    {
    }

    // The origin is the form's first section, the destination its second.
    SeccionPredio *destino() { return solicitud()->findChildren<SeccionPredio *>().value(1); }
    Dataset *tabla2(const char *parte) { return destino()->tabla(QLatin1String(parte)); }

    // The destination page's property button, answered `respuesta`, the register choosing
    // `codigo` (0: closed without a choice).
    void elegirDestino(int codigo, int respuesta = ID::YES)
    {
        RegistroPredios::elegido = codigo;
        dialogos.responder({respuesta});
        auto *boton = solicitud()->findChild<QPushButton *>(QStringLiteral("btnLlenarPredio2"));
        ASSERT_NE(boton, nullptr);
        boton->click();
    }

    // A new destination typed by hand: name, commune, one roll, one owner.
    void escribirDestinoNuevo(const QString &nombre)
    {
        campo("nom_pre2")->setAsString(nombre);
        campo("com2")->setAsString(QStringLiteral("13120"));
        Dataset *rol = tabla2("rol");
        ASSERT_TRUE(rol->Append());
        rol->FieldByName(QStringLiteral("rol"))->setAsString(QStringLiteral("5-5"));
        rol->FieldByName(QStringLiteral("com"))->setAsString(QStringLiteral("13120"));
        ASSERT_TRUE(rol->Post());
    }

    // The document saved, closed and read again into new windows; `importado` as the
    // shell leaves an imported file: without a property code.
    void reabrir(bool importado)
    {
        const int predCodigo = solicitud()->PredCodigo;
        reabrirVentanas();
        for (auto &f : formularios)
            ASSERT_TRUE(f->Cargar(archivo));
        for (auto &f : formularios)
            f->PredCodigo = importado ? -1 : predCodigo;
        QCoreApplication::processEvents();
        ASSERT_TRUE(solicitud()->DatasetPpal->Edit());
    }

    Dataset *tablaFenra(const char *sufijo) { return solicitud()->findChild<Dataset *>(QStringLiteral("adtFENRA_") + QLatin1String(sufijo)); }

    // A guide filled whole: the origin from the register (two owners, the first signing,
    // its producer, a point, a roll and an inscription, no certificate), a destination
    // typed by hand (an owner, its addressee, a point, a roll and a certificate), a
    // previous guide, two tax documents, a product by its unit's factor and an "other"
    // product in cubic metres, the transport of kind `transporte` and the driver.
    void llenarGuia(int transporte)
    {
        registrarOtroProducto(QStringLiteral("ALERCE LABRADO"));
        elegirConFirmante(7);
        tabla("cer")->First();
        dialogos.responder({ID::YES}); // the deletion's question
        ASSERT_TRUE(tabla("cer")->Delete());
        agregarPersona("pro", 22222222, QStringLiteral("Araya"));
        campo("tipo_pre2")->setAsInteger(3);
        campo("ciu")->setAsString(QStringLiteral("Puerto Montt"));
        campo("fec")->setAsString(QStringLiteral("10-12-2026"));

        campo("nom_pre2")->setAsString(QStringLiteral("Barraca Sur"));
        campo("com2")->setAsString(QStringLiteral("13120"));
        campo("sup2")->setAsString(QStringLiteral("3,5"));
        campo("via2")->setAsString(QStringLiteral("Ruta 7 km 12"));
        campo("tipo_pre")->setAsInteger(4);
        fila(tabla2("coo"), {{"pun", QStringLiteral("Galpón")}, {"n", QStringLiteral("5400000")}, {"e", QStringLiteral("650000")}});
        fila(tabla2("rol"), {{"rol", QStringLiteral("300-7")}, {"com", QStringLiteral("13120")}});
        fila(tabla2("cer"), {{"cer", QStringLiteral("BN-99")}, {"fec", QStringLiteral("15-06-2020")}});
        const QList<QPair<const char *, QString>> persona{{"dom", QStringLiteral("Camino Sur 5")}, {"ciu", QStringLiteral("Cochamó")},
                                                          {"com", QStringLiteral("13120")}};
        fila(tabla2("pro"), QList<QPair<const char *, QString>>{{"rut", QStringLiteral("15555555")}, {"dv", dv(15555555)},
                                                                 {"nom", QStringLiteral("Rosa")}, {"pat", QStringLiteral("Vidal")},
                                                                 {"mat", QStringLiteral("Leal")}} + persona);
        fila(tabla2("rep"), QList<QPair<const char *, QString>>{{"rut", QStringLiteral("16666666")}, {"dv", dv(16666666)},
                                                                 {"nom", QStringLiteral("Carla")}, {"pat", QStringLiteral("Muñoz")},
                                                                 {"mat", QStringLiteral("Oyarzo")}, {"fono", QStringLiteral("65 222 333")}}
                                      + persona);

        fila(tablaFenra("guia_ant"), {{"nro_fenra", QStringLiteral("F-0123")}, {"fecha", QStringLiteral("01-10-2026")},
                                      {"origen", QStringLiteral("Cochamó")}, {"region", QStringLiteral("10")}});
        fila(tablaFenra("sii"), {{"tipo_doc", QStringLiteral("1")}, {"nro_doc", QStringLiteral("4567")},
                                 {"fecha", QStringLiteral("02-10-2026")}, {"rut", QStringLiteral("76543210-K")}});
        fila(tablaFenra("sii"), {{"tipo_doc", QStringLiteral("3")}, {"nro_doc", QStringLiteral("889")},
                                 {"fecha", QStringLiteral("03-10-2026")}, {"rut", QStringLiteral("76543210-K")}});
        fila(tablaFenra("prod_trans"), {{"origen", QStringLiteral("Cancha 1")}, {"tipo_prod", QStringLiteral("5")},
                                        {"nro_piezas", QStringLiteral("10")}, {"unme_codigo", QStringLiteral("5")},
                                        {"cant", QStringLiteral("2,5")}});
        fila(tablaFenra("prod_trans"), {{"origen", QStringLiteral("Cancha 2")}, {"tipo_prod", QStringLiteral("-1")},
                                        {"nro_piezas", QStringLiteral("3")}, {"unme_codigo", QStringLiteral("11")},
                                        {"cant", QStringLiteral("4")}});

        campo("trans_tipo")->setAsInteger(transporte);
        if (transporte == 4)
            campo("trans_tipo_otro")->setAsString(QStringLiteral("Carreta"));
        campo("trasn_patente")->setAsString(QStringLiteral("AB1234"));
        campo("cond_nom")->setAsString(QStringLiteral("Juan"));
        campo("cond_pat")->setAsString(QStringLiteral("Vera"));
        campo("cond_mat")->setAsString(QStringLiteral("Ruiz"));
        campo("cond_rut")->setAsInteger(7654321);
        campo("cond_dv")->setAsString(dv(7654321));
        campo("cond_dom")->setAsString(QStringLiteral("Pasaje 3"));
        campo("cond_ciu")->setAsString(QStringLiteral("Osorno"));
        campo("obs_soli")->setAsString(QStringLiteral("Carga cubierta con lona"));
    }

    int codigoDe(const QString &nombre)
    {
        return uno(QStringLiteral("SELECT max(pred_codigo) FROM predio WHERE pred_nombre = ?"), {nombre}).toInt();
    }
};

} // namespace
