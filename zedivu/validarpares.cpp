#include "validarpares.h"

#include "dataset.h"
#include "field.h"
#include "tcustommdichild.h"

bool ValidarPares(TCustomMDIChild *form, Dataset *ds, const QList<QPair<QString, QString>> &pares)
{
    const auto vacio = [](const Field *f) { return !f || f->IsNull() || f->AsString().trimmed().isEmpty(); };
    bool alguno = false;
    for (const auto &[numero, fecha] : pares) {
        Field *num = ds->FieldByName(numero);
        Field *fec = ds->FieldByName(fecha);
        if (vacio(num) && vacio(fec))
            continue;
        alguno = true;
        form->Validar(num, {tvNoVacio});
        form->Validar(fec, {tvNoVacio, tvFechaValida});
    }
    return alguno;
}
