#pragma once
// A document of the generic form LUMO beside its request form DORVO, as the shell opens
// one for a combination: the type code the seeded catalogue gives LUMO and the shell's Tag
// (`combinacion`, 31 burned forest unless told) set before Nuevo. Rows of the main
// database's section table can be written first (`secciones`) for a combination of the
// test's own.
#include "anexoprueba.h"

#include "connection.h"
#include "gridcolumn.h"
#include "tformlumo.h"
#include "tlistaformularios.h"

#include <QTabWidget>

class LumoFixture : public AnexoDorvoFixture
{
protected:
    LumoFixture()
        : AnexoDorvoFixture(QStringLiteral("LUMO"), QStringLiteral(BRENVIK_LUMO_PLUGIN), codigoCatalogo())
    {
        tag = [this](const QString &c) { return c == QLatin1String("LUMO") ? combinacion : 0; };
    }

    static int codigoCatalogo()
    {
        TListaFormularios lista;
        lista.SetBBDD(QStringLiteral(BRENVIK_BIN_DIR "/bbdd/bd.db"));
        return lista.GetCodigo(QStringLiteral("LUMO"));
    }

    TFormLUMO *lumo() const { return static_cast<TFormLUMO *>(form.data()); }

    // Replaces the sections of combination `id` in the program's main database: each row
    // (sefo_seccion, titulo, indent, tabsheet, frame, deshabilitar).
    void secciones(int id, const QList<QStringList> &filas, const QString &titulo = QStringLiteral("PRUEBA\\GENÉRICA"))
    {
        Connection bd;
        ASSERT_TRUE(bd.open(app + QStringLiteral("bbdd/bd.db")));
        ASSERT_TRUE(bd.exec(QStringLiteral("DELETE FROM seccion_formulario WHERE form_id = ?"), {id}));
        ASSERT_TRUE(bd.exec(QStringLiteral("DELETE FROM formularios WHERE form_id = ?"), {id}));
        ASSERT_TRUE(bd.exec(QStringLiteral("INSERT INTO formularios (form_id, form_principal, form_solicitud, form_extension, form_titulo) "
                                           "VALUES (?, 'LUMO', 'DORVO', ?, ?)"),
                            {id, QStringLiteral("x%1").arg(id), titulo}))
            << bd.lastError().text().toStdString();
        for (const QStringList &f : filas) {
            ASSERT_TRUE(bd.exec(QStringLiteral("INSERT INTO seccion_formulario VALUES (?, ?, ?, ?, ?, ?, ?)"),
                                {id, f.value(0).toInt(), f.value(1), f.value(2), f.value(3), f.value(4), f.value(5)}))
                << bd.lastError().text().toStdString();
        }
    }

    // The page control's pages after the first, by name.
    QStringList paginas() const
    {
        QStringList r;
        for (int i = 1; i < form->Paginas->count(); ++i)
            r << form->Paginas->widget(i)->objectName();
        return r;
    }

    DBGrid *grillaLumo(const QString &sufijo) const { return form->findChild<DBGrid *>(QStringLiteral("dbgLumo_") + sufijo); }

    // The fields of a grid's columns, in order.
    QStringList columnas(const QString &sufijo) const
    {
        QStringList r;
        if (const DBGrid *g = grillaLumo(sufijo))
            for (int i = 0; i < g->ColumnCount(); ++i)
                r << g->Columns(i)->FieldName();
        return r;
    }

    bool rodal(const QString &num, const QString &sup)
    {
        return agregar(QStringLiteral("car"), {{"num", num}, {"sup", sup}, {"esp", QStringLiteral("PINO RADIATA")}});
    }

    int combinacion = 31;
};
