// The KELU window as the program loads it: its outline, pages and datasets.
#include "kelufixture.h"

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
