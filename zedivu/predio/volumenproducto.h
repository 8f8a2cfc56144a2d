#pragma once
// The volume of a product row of the dead-alerce request forms: the quantity in the unit
// of measure times the factor that `unidadproducto` of the main database gives for that
// unit and product, and the check that the unit fits the product. Configured per form:
//
//     VolumenProducto::Configuracion cfg;                 // Yolva's
//     cfg.productoNegativoEs18 = true;                    // Fenra, Trozel
//     VolumenProducto::enlazar(this, adtProductos, cfg);  // after FormBuilder::build
//
// The row's fields are `cant` (quantity), `unme_codigo` (unit), `tipo_prod` (product)
// and, where the form has it, `volumen` (text).
#include <QString>
#include <QVariant>

#include <optional>

class Connection;
class Dataset;
class TCustomMDIChild;

namespace VolumenProducto {

// The unit whose quantity is already the volume.
constexpr int kUnidadDirecta = 11;

struct Configuracion
{
    // A negative product code (an "other" product) is looked up as product 18.
    bool productoNegativoEs18 = false;
    // The check lets unit 11 pass for any product.
    bool unidadDirectaSinControl = true;
    // The check refuses a negative product in every unit but 11 (its volume still comes
    // from product 18 with productoNegativoEs18).
    bool productoNegativoSoloUnidadDirecta = false;
    // Recompute `volumen` when quantity, unit or product change (forms without the field
    // only check).
    bool calcular = true;
    // After the unit's check, `volumen` must hold a positive volume (so a unit without a
    // factor is refused for its unit, not for the empty volume it gives).
    bool validarVolumen = false;
};

const QString &mensajeUnidadNoCorresponde(); // "La unidad de medida no corresponde al producto escogido"

// The conversion factor of `unidad` for `producto`; none when the pair is not listed or
// its factor is empty.
std::optional<double> factor(Connection &principal, int unidad, int producto, const Configuracion &config);

// The volume text: unit 11 gives the quantity, any other unit the quantity times its
// factor rounded to two decimals (halves to the even neighbour), in the program's number
// format ("0,12"). Empty when the quantity or the unit is empty, or there is no factor.
QString volumen(Connection &principal, const QVariant &cantidad, const QVariant &unidad, const QVariant &producto,
                const Configuracion &config);

// Whether `unidad` fits `producto`: unit 11 when exempt, else a factor listed for the pair.
bool unidadCorresponde(Connection &principal, const QVariant &unidad, const QVariant &producto, const Configuracion &config);

// Binds the recomputation to the fields of `productos` and chains the check to its
// before-post: a unit that does not fit shows the message through the form and aborts
// the post. Uses the form's main-database connection (ConexionBDPpal).
void enlazar(TCustomMDIChild *form, Dataset *productos, const Configuracion &config = {});
// The same for the form's product table `nombre` (a dataset component), bound when the
// table first opens (its fields exist from then on). Nothing when the form has no such table.
void enlazarAlAbrir(TCustomMDIChild *form, const QString &nombre, const Configuracion &config = {});

} // namespace VolumenProducto
