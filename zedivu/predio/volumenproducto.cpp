#include "volumenproducto.h"

#include "abort.h"
#include "chileantext.h"
#include "connection.h"
#include "dataset.h"
#include "estadistica.h"
#include "field.h"
#include "tcustommdichild.h"

namespace VolumenProducto {

namespace {

std::optional<int> entero(const QVariant &v)
{
    if (v.isNull() || v.toString().trimmed().isEmpty())
        return std::nullopt;
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

std::optional<double> numero(const QVariant &v)
{
    if (v.isNull())
        return std::nullopt;
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong)
        return v.toDouble();
    return ChileanText::toDouble(v.toString());
}

} // namespace

const QString &mensajeUnidadNoCorresponde()
{
    static const QString texto = QStringLiteral("La unidad de medida no corresponde al producto escogido");
    return texto;
}

std::optional<double> factor(Connection &principal, int unidad, int producto, const Configuracion &config)
{
    if (producto < 0 && config.productoNegativoEs18)
        producto = 18;
    const QueryResult r = principal.select(
        QStringLiteral("SELECT unpr_conversion FROM unidadproducto WHERE unme_codigo = ? AND prod_codigo = ?"), {unidad, producto});
    if (!r.ok || r.rows.isEmpty() || r.rows.first().value(0).isNull())
        return std::nullopt;
    return r.rows.first().value(0).toDouble();
}

QString volumen(Connection &principal, const QVariant &cantidad, const QVariant &unidad, const QVariant &producto,
                const Configuracion &config)
{
    const std::optional<double> cant = numero(cantidad);
    const std::optional<int> unme = entero(unidad);
    if (!cant || !unme)
        return QString();
    if (*unme == kUnidadDirecta)
        return ChileanText::fromDouble(*cant);
    const std::optional<int> prod = entero(producto);
    const std::optional<double> f = prod ? factor(principal, *unme, *prod, config) : std::nullopt;
    if (!f)
        return QString();
    return ChileanText::fromDouble(Estadistica::redondeaMitadPar(*cant * *f, 2));
}

bool unidadCorresponde(Connection &principal, const QVariant &unidad, const QVariant &producto, const Configuracion &config)
{
    const std::optional<int> unme = entero(unidad);
    if (!unme)
        return false;
    if (*unme == kUnidadDirecta && config.unidadDirectaSinControl)
        return true;
    const std::optional<int> prod = entero(producto);
    if (prod && *prod < 0 && config.productoNegativoSoloUnidadDirecta)
        return false;
    return prod && factor(principal, *unme, *prod, config).has_value();
}

void enlazar(TCustomMDIChild *form, Dataset *productos, const Configuracion &config)
{
    if (!form || !productos)
        return;
    Field *vol = productos->FindField(QStringLiteral("volumen"));
    if (config.calcular && vol) {
        const auto recalcular = [form, productos, config](Field *) {
            Field *destino = productos->FindField(QStringLiteral("volumen"));
            if (!form->ConexionBDPpal || !destino)
                return;
            const QString texto = volumen(*form->ConexionBDPpal, productos->FieldByName(QStringLiteral("cant"))->Value(),
                                          productos->FieldByName(QStringLiteral("unme_codigo"))->Value(),
                                          productos->FieldByName(QStringLiteral("tipo_prod"))->Value(), config);
            if (texto.isEmpty())
                destino->Clear();
            else
                destino->setAsString(texto);
        };
        for (const char *nombre : {"cant", "unme_codigo", "tipo_prod"}) {
            Field *f = productos->FindField(QLatin1String(nombre));
            if (!f)
                continue;
            auto anterior = f->OnChange;
            f->OnChange = [anterior, recalcular](Field *campo) {
                if (anterior)
                    anterior(campo);
                recalcular(campo);
            };
        }
    }
    auto antes = productos->BeforePost;
    productos->BeforePost = [form, antes, config](Dataset *ds) {
        if (antes)
            antes(ds);
        Field *unidad = ds->FindField(QStringLiteral("unme_codigo"));
        Field *producto = ds->FindField(QStringLiteral("tipo_prod"));
        if (form->ConexionBDPpal && unidad && producto && !unidad->IsNull()
            && !unidadCorresponde(*form->ConexionBDPpal, unidad->Value(), producto->Value(), config)) {
            form->DialogoError(mensajeUnidadNoCorresponde());
            Abort();
        }
        if (config.validarVolumen)
            form->Validar(ds->FindField(QStringLiteral("volumen")), {tvNoVacio, tvPositivo});
    };
}

void enlazarAlAbrir(TCustomMDIChild *form, const QString &nombre, const Configuracion &config)
{
    Dataset *productos = form ? form->findChild<Dataset *>(nombre) : nullptr;
    if (!productos)
        return;
    productos->AfterOpen = [form, antes = productos->AfterOpen, config, enlazado = false](Dataset *ds) mutable {
        if (antes)
            antes(ds);
        if (enlazado)
            return;
        enlazado = true;
        enlazar(form, ds, config);
    };
}

} // namespace VolumenProducto
