#include "tindicesarbolnavegacion.h"

#include <gtest/gtest.h>

namespace {
// The index never dereferences its forms; distinct addresses are enough.
char a, b, c;
TCustomMDIChild *formA = reinterpret_cast<TCustomMDIChild *>(&a);
TCustomMDIChild *formB = reinterpret_cast<TCustomMDIChild *>(&b);
TCustomMDIChild *formC = reinterpret_cast<TCustomMDIChild *>(&c);
} // namespace

TEST(IndicesArbolNavegacion, LaterFormsComeFirstAndPagesCountWithinEachForm)
{
    TIndicesArbolNavegacion indices;
    for (int i = 0; i < 3; ++i)
        indices.Agregar(formA, 4);
    for (int i = 0; i < 2; ++i)
        indices.Agregar(formB, 7);
    ASSERT_EQ(indices.Cantidad(), 5);
    const TCustomMDIChild *forms[] = {formB, formB, formA, formA, formA};
    const int relative[] = {0, 1, 0, 1, 2};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(indices.ObtenerIndiceAbsoluto(i), i);
        EXPECT_EQ(indices.ObtenerIndiceRelativo(i), relative[i]);
        EXPECT_EQ(indices.ObtenerFormulario(i), forms[i]);
    }
    indices.Agregar(formC, 1);
    EXPECT_EQ(indices.ObtenerFormulario(0), formC);
    EXPECT_EQ(indices.ObtenerIndiceRelativo(1), 0);
    EXPECT_EQ(indices.ObtenerIndiceAbsoluto(5), 5);
}

TEST(IndicesArbolNavegacion, LimpiarAndOutOfRange)
{
    TIndicesArbolNavegacion indices;
    indices.Limpiar();
    EXPECT_EQ(indices.Cantidad(), 0);
    EXPECT_EQ(indices.ObtenerFormulario(0), nullptr);
    indices.Agregar(formA, 0);
    EXPECT_EQ(indices.ObtenerIndiceAbsoluto(-1), -1);
    EXPECT_EQ(indices.ObtenerIndiceRelativo(1), -1);
    indices.Limpiar();
    EXPECT_EQ(indices.Cantidad(), 0);
}
