// The lists that a form description names on its grid columns (`list=`).
#include "tcustommdichild.h"

#include "builtform.h"
#include "dbgrid.h"
#include "entrada/consultaseleccionmultiple.h"
#include "fallaprogramacion.h"
#include "formcomponents.h"

namespace {

template<class Tipo>
bool tipoPorNombre(const QString &nombre, int cantidad, QString (*nombreDe)(Tipo), Tipo &tipo)
{
    for (int i = 0; i < cantidad; ++i) {
        if (nombreDe(Tipo(i)) == nombre) {
            tipo = Tipo(i);
            return true;
        }
    }
    return false;
}

} // namespace

void TCustomMDIChild::AdjuntarListas(const BuiltForm &formulario, DBGrid *grilla)
{
    std::function<void(const QList<ControlDescription> &)> recorrer = [&](const QList<ControlDescription> &controles) {
        for (const ControlDescription &c : controles) {
            recorrer(c.children);
            if (c.kind != ControlDescription::Kind::Grid || (grilla && grilla->objectName() != c.name))
                continue;
            auto *g = findComponent<DBGrid>(this, c.name);
            for (const GridColumnDescription &columna : c.grid.columns) {
                if (columna.list.isEmpty())
                    continue;
                TTipoComboExterno combo;
                TTipoSeleccionMultiple seleccion;
                if (!g)
                    FallaProgramacion(QStringLiteral("grilla \"%1\" no encontrada").arg(c.name), "util_eedd", __LINE__);
                else if (tipoPorNombre(columna.list, kCantidadTiposCombo, &NombreTipoCombo, combo))
                    ComboExterno(g, columna.field, combo);
                else if (tipoPorNombre(columna.list, kCantidadTiposSeleccionMultiple, &NombreSeleccionMultiple, seleccion))
                    SeleccionMultiple(g, columna.field, seleccion);
                else
                    FallaProgramacion(QStringLiteral("lista \"%1\" desconocida en la grilla \"%2\"").arg(columna.list, c.name),
                                      "util_eedd", __LINE__);
            }
        }
    };
    for (const PageDescription &pagina : formulario.description().pages)
        recorrer(pagina.controls);
}
