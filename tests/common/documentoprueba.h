#pragma once
// A document as the shell makes one, for tests of form plug-ins: every form created by
// its registered name and set up (Nuevo), then linked to its siblings, then connected
// (ConexionesExternas), given its working database and initialised. The forms live in
// `area`; the first code is the document's principal form; `tag`, when given, is the Tag
// the shell sets before Nuevo (the generic form's combination). Failures are test failures.
#include "classregistry.h"
#include "tcustommdichild.h"

#include <QMdiArea>
#include <gtest/gtest.h>

#include <functional>

inline QList<TCustomMDIChild *> CrearDocumento(QMdiArea *area, const QString &app, const QStringList &codigos,
                                               const std::function<int(const QString &)> &tisoCodigo,
                                               const QString &nombre,
                                               const std::function<int(const QString &)> &tag = nullptr)
{
    QList<TCustomMDIChild *> formularios;
    for (const QString &codigo : codigos) {
        auto *f = qobject_cast<TCustomMDIChild *>(ClassRegistry::instance().create(QStringLiteral("TForm") + codigo, nullptr));
        EXPECT_NE(f, nullptr) << codigo.toStdString();
        if (!f)
            return {};
        area->addSubWindow(f);
        f->DirAplicacion = app;
        f->Codigo = codigo;
        f->CodigoPpal = codigos.first();
        f->TisoCodigo = tisoCodigo(codigo);
        if (tag)
            f->Tag = tag(codigo);
        f->Nuevo();
        formularios << f;
    }
    for (TCustomMDIChild *f : std::as_const(formularios))
        for (TCustomMDIChild *g : std::as_const(formularios))
            if (f != g)
                f->Hermanos << g;
    for (TCustomMDIChild *f : std::as_const(formularios)) {
        f->ConexionesExternas();
        EXPECT_TRUE(f->EstablecerBBDD()) << f->Codigo.toStdString();
        f->InicializarDatasetPpal(nombre);
    }
    return formularios;
}
