#include "nombredocumento.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(NombreDocumento, ProposesTheFirstFreeNumberWithoutForbiddenCharacters)
{
    QTemporaryDir dir;
    const QString carpeta = dir.path() + QStringLiteral("/");
    EXPECT_EQ(NombreDocumentoPorDefecto(QStringLiteral("A/B"), QStringLiteral("TESTF"), carpeta, QStringLiteral("fx")),
              carpeta + QStringLiteral("ab_testf_001.fx"));
    QFile f(carpeta + QStringLiteral("ab_testf_001.fx"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(NombreDocumentoPorDefecto(QStringLiteral("A/B"), QStringLiteral("TESTF"), carpeta, QStringLiteral("fx")),
              carpeta + QStringLiteral("ab_testf_002.fx"));
    EXPECT_EQ(NombreDocumentoPorDefecto(QStringLiteral("a\\:*?\"<>|b") + QString(60, QLatin1Char('x')),
                                        QStringLiteral("K"), carpeta, QStringLiteral("fx")),
              carpeta + QStringLiteral("ab") + QString(48, QLatin1Char('x')) + QStringLiteral("_k_001.fx"));
}

TEST(NombreDocumento, GenericFormUsesItsVariantWord)
{
    EXPECT_EQ(ParteCodigoDocumento(QStringLiteral("LUMO"), 31), QStringLiteral("bqmd"));
    EXPECT_EQ(ParteCodigoDocumento(QStringLiteral("LUMO"), 32), QStringLiteral("srex"));
    EXPECT_EQ(ParteCodigoDocumento(QStringLiteral("LUMO"), 33), QStringLiteral("plga"));
    EXPECT_EQ(ParteCodigoDocumento(QStringLiteral("TESTF"), 33), QStringLiteral("TESTF"));
}
