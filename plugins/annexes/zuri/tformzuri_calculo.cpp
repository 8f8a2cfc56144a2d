// The establishment statistics of the ZURI stands, on the button "&Calcular": per plot-size
// row the mean density of live plants per hectare, its sample deviation, the coefficient of
// variation, the standard error and the sampling error at 95 % with Student's t, posted into
// the stand's statistics row so that the results flow on to the plantation and the
// forestation. A stand that cannot be computed is named and skipped; the others go on.
#include "tformzuri.h"

#include "abort.h"
#include "componentesformulario.h"
#include "dataset.h"
#include "estadisticaszuri.h"
#include "field.h"
#include "util_bbdd.h"

#include <QPushButton>
#include <QScopeGuard>


void TFormZURI::btnCalcularClick()
{
    Dataset *parcelas = tabla(QStringLiteral("adtZURI_tam_num_par"));
    Dataset *muestras = tabla(QStringLiteral("adtZURI_ant_muest"));
    Dataset *estadistica = tabla(QStringLiteral("adtZURI_res_cal_est"));
    if (!parcelas || !muestras || !estadistica || !parcelas->Active() || !estadistica->Active())
        return;
    for (Dataset *ds : {parcelas, muestras, estadistica})
        if (ds->Active() && ds->State() == DatasetState::Edit)
            ds->Post();

    QPushButton *boton = findComponent<QPushButton>(this, QStringLiteral("btnCalcular"));
    if (boton)
        boton->setEnabled(false);
    const auto habilitar = qScopeGuard([boton] {
        if (boton)
            boton->setEnabled(true);
    });

    QStringList omitidos;
    {
        componentes::CursoresGuardados cursores;
        cursores(parcelas);
        componentes::paraCadaRegistro(parcelas, [&](int) {
            const QString num = componentes::texto(parcelas->FieldByName(QStringLiteral("num")));
            const auto omitir = [&](const QString &motivo) {
                omitidos << QStringLiteral("Rodal \"%1\": %2.").arg(num, motivo);
            };
            estadistica->Cancel();
            // Only the stand's own row: a missing one is never made up from another stand's.
            if (num.isEmpty() || !estadistica->Locate(QStringLiteral("num"), num)) {
                omitir(QStringLiteral("no tiene fila de resultados estadísticos"));
                return;
            }
            std::vector<double> plantas;
            for (const QString &p : Consulta2(ConexionBD,
                                              QStringLiteral("SELECT num_plan FROM zuri_ant_muest WHERE Id_par = ? "
                                                             "AND num_plan IS NOT NULL ORDER BY num_parc"),
                                              {parcelas->FieldByName(QStringLiteral("Id_par"))->Value()}))
                plantas.push_back(p.toDouble());
            QString motivo;
            const std::optional<EstadisticasZURI> r =
                CalcularEstadisticasZURI(parcelas->FieldByName(QStringLiteral("sup"))->AsFloat(),
                                     parcelas->FieldByName(QStringLiteral("num_par"))->AsInteger(), plantas, &motivo);
            if (!r) {
                omitir(motivo);
                return;
            }
            const bool guardado = catchAbort([&] {
                estadistica->Edit();
                for (const auto &[campo, valor] : {std::pair{"media", r->media}, std::pair{"desv", r->desv},
                                                   std::pair{"coef", r->coef}, std::pair{"err_std", r->errStd},
                                                   std::pair{"err_muest", r->errMuest}})
                    estadistica->FieldByName(QLatin1String(campo))->setAsFloat(valor);
                estadistica->Post();
            });
            if (!guardado) {
                estadistica->Cancel();
                omitir(QStringLiteral("no se pudieron guardar sus resultados"));
            }
        });
    }
    if (!omitidos.isEmpty())
        DialogoError(QStringLiteral("No se calcularon las estadísticas de:\n") + omitidos.join(QLatin1Char('\n')));
}
