// The KELU window as the program loads it: its outline, pages and datasets.
#include "kelufixture.h"

#include <QImage>
#include <QTabWidget>

TEST_F(KeluFixture, OutlineHasTheTitleAndOneLinePerPage)
{
    const QStringList lineas = form->Secciones.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lineas.size(), 15);
    EXPECT_EQ(lineas[0], QStringLiteral("PLAN DE MANEJO PLANTACIONES FORESTALES"));
    EXPECT_EQ(lineas[3], QStringLiteral("\t\tClima"));
    EXPECT_EQ(lineas[14], QStringLiteral("\tProtección al Recurso Forestal"));
    ASSERT_NE(form->Paginas, nullptr);
    EXPECT_EQ(form->Paginas->count(), 15);
    EXPECT_EQ(form->windowTitle().left(15), QStringLiteral("Formulario KELU"));
}

// Pictures of every page, for looking at (build/tests/kelu_paginas/NN.png).
TEST_F(KeluFixture, EveryPageRenders)
{
    QDir().mkpath(QStringLiteral("kelu_paginas"));
    area->show();
    for (int i = 0; i < form->Paginas->count(); ++i) {
        form->CambiarHoja(i);
        QCoreApplication::processEvents();
        const QImage imagen = form->grab().toImage();
        EXPECT_FALSE(imagen.isNull());
        imagen.save(QStringLiteral("kelu_paginas/%1.png").arg(i, 2, 10, QLatin1Char('0')));
    }
}
