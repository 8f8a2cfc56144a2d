// The multi-selection window driven as a user does: what comes ticked, OK, Cancel,
// unticking all, and an empty list.
#include "entrada/tformmultiseleccion.h"

#include "entrada/ventanaentrada.h"

#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

const QStringList kAnos{QStringLiteral("1990"), QStringLiteral(" 1991 "), QStringLiteral("1992"), QStringLiteral("1993")};

QStringList marcadosAlAbrir(QDialog *d)
{
    return static_cast<TformMultiSeleccion *>(d)->marcados();
}

TEST(TformMultiSeleccion, PreseleccionaYDevuelveLoMarcado)
{
    QStringList alAbrir;
    AlAbrirModal([&](QDialog *d) {
        alAbrir = marcadosAlAbrir(d);
        auto *v = static_cast<TformMultiSeleccion *>(d);
        EXPECT_EQ(v->windowTitle(), QStringLiteral("Selección Múltiple"));
        v->clbMultiDblClick(v->clbMulti->item(0));
        v->clbMultiDblClick(v->clbMulti->item(2));
        v->btnAceptar->click();
    });
    // Stored texts come split at "," with blanks, and in any case.
    const auto r = LevantarForm(kAnos, {QStringLiteral("1991"), QStringLiteral(" 1992")});
    EXPECT_EQ(alAbrir, (QStringList{QStringLiteral("1991"), QStringLiteral("1992")}));
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(*r, (QStringList{QStringLiteral("1990"), QStringLiteral("1991")}));
}

TEST(TformMultiSeleccion, SinDistinguirMayusculas)
{
    QStringList alAbrir;
    AlAbrirModal([&](QDialog *d) {
        alAbrir = marcadosAlAbrir(d);
        static_cast<TformMultiSeleccion *>(d)->btnAceptar->click();
    });
    LevantarForm({QStringLiteral("Pinus radiata"), QStringLiteral("Eucalyptus globulus")}, {QStringLiteral("PINUS RADIATA")});
    EXPECT_EQ(alAbrir, QStringList{QStringLiteral("Pinus radiata")});
}

TEST(TformMultiSeleccion, CancelarDevuelveLoQueHabia)
{
    AlAbrirModal([](QDialog *d) {
        auto *v = static_cast<TformMultiSeleccion *>(d);
        v->clbMultiDblClick(v->clbMulti->item(3));
        v->btnCancelar->click();
    });
    const QStringList actuales{QStringLiteral("1990"), QStringLiteral("1992")};
    EXPECT_EQ(LevantarForm(kAnos, actuales), std::optional<QStringList>(actuales));
}

TEST(TformMultiSeleccion, DesmarcarTodoDevuelveUnaListaVacia)
{
    AlAbrirModal([](QDialog *d) {
        auto *v = static_cast<TformMultiSeleccion *>(d);
        for (int i = 0; i < v->clbMulti->count(); ++i)
            v->clbMulti->item(i)->setCheckState(Qt::Unchecked);
        v->btnAceptar->click();
    });
    const auto r = LevantarForm(kAnos, {QStringLiteral("1990"), QStringLiteral("1992")});
    ASSERT_TRUE(r.has_value());
    EXPECT_TRUE(r->isEmpty());
}

TEST(TformMultiSeleccion, SinElementosPitaYNoAbre)
{
    int pitidos = 0;
    const auto anterior = TformMultiSeleccion::Pitido;
    TformMultiSeleccion::Pitido = [&] { ++pitidos; };
    EXPECT_EQ(LevantarForm({}, {QStringLiteral("1990")}), std::nullopt);
    EXPECT_EQ(MultiSeleccion(DirProgramaConstruido() + QStringLiteral("bbdd/bd.db"),
                             QStringLiteral("SELECT ano FROM anos WHERE id_ano<?"), {}, {1900}),
              std::nullopt);
    TformMultiSeleccion::Pitido = anterior;
    EXPECT_EQ(pitidos, 2);
}

TEST(TformMultiSeleccion, ListaDeUnaConsultaConValores)
{
    QStringList items;
    AlAbrirModal([&](QDialog *d) {
        auto *v = static_cast<TformMultiSeleccion *>(d);
        for (int i = 0; i < v->clbMulti->count(); ++i)
            items << v->clbMulti->item(i)->text();
        v->btnCancelar->click();
    });
    MultiSeleccion(DirProgramaConstruido() + QStringLiteral("bbdd/bd.db"),
                   QStringLiteral("SELECT ano FROM anos WHERE id_ano BETWEEN ? AND ? ORDER BY id_ano"), {}, {2000, 2002});
    EXPECT_EQ(items, (QStringList{QStringLiteral("2000"), QStringLiteral("2001"), QStringLiteral("2002")}));
}

} // namespace
