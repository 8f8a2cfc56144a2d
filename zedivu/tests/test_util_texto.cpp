#include "util_texto.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>

namespace {

struct Upper
{
    const char *in;
    const char *out;
};

class MayusculasCase : public ::testing::TestWithParam<Upper>
{
};

TEST_P(MayusculasCase, UpperCasesAsciiAndSpanishLetters)
{
    EXPECT_EQ(Mayusculas(QString::fromUtf8(GetParam().in)), QString::fromUtf8(GetParam().out));
}

INSTANTIATE_TEST_SUITE_P(Cases, MayusculasCase,
                         ::testing::Values(Upper{"peñón", "PEÑÓN"}, Upper{"árbol éxito ínsula ómnibus útil güiña", "ÁRBOL ÉXITO ÍNSULA ÓMNIBUS ÚTIL GÜIÑA"},
                                           Upper{"Ya MAYÚSCULAS 123 ,.-", "YA MAYÚSCULAS 123 ,.-"}, Upper{"", ""},
                                           // Letters outside ASCII and the Spanish set stay as typed.
                                           Upper{"àçø", "àçø"}));

TEST(Mayuscula, SingleCharacters)
{
    EXPECT_EQ(Mayuscula(QChar(u'ñ')), QChar(u'Ñ'));
    EXPECT_EQ(Mayuscula(QChar(u'z')), QChar(u'Z'));
    EXPECT_EQ(Mayuscula(QChar(u'Ñ')), QChar(u'Ñ'));
    EXPECT_EQ(Mayuscula(QChar(u',')), QChar(u','));
}

struct Replace
{
    const char *texto, *buscar, *reemplazo, *resultado;
};

class ReemplazarCase : public ::testing::TestWithParam<Replace>
{
};

TEST_P(ReemplazarCase, ReplacesLeftToRightWithoutRescanning)
{
    const Replace r = GetParam();
    EXPECT_EQ(Reemplazar(QString::fromUtf8(r.texto), QString::fromUtf8(r.buscar), QString::fromUtf8(r.reemplazo)),
              QString::fromUtf8(r.resultado));
}

INSTANTIATE_TEST_SUITE_P(Cases, ReemplazarCase,
                         ::testing::Values(Replace{"aaa", "aa", "b", "ba"}, Replace{"a\\b\\c", "\\", "", "abc"},
                                           Replace{"abc", "", "x", "abc"}, Replace{"ab", "b", "bb", "abb"},
                                           Replace{"Ab", "a", "x", "Ab"}, Replace{"", "a", "b", ""}));

struct Split
{
    const char *texto, *separador;
    QStringList piezas;
};

class ExplodeCase : public ::testing::TestWithParam<Split>
{
};

TEST_P(ExplodeCase, SplitsAndTrims)
{
    EXPECT_EQ(Explode(QString::fromUtf8(GetParam().texto), QString::fromUtf8(GetParam().separador)), GetParam().piezas);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExplodeCase,
                         ::testing::Values(Split{"a, b,,c", ",", {"a", "b", "", "c"}}, Split{"", ",", {""}},
                                           Split{"  uno  ", ",", {"uno"}}, Split{"1998, 2001", ",", {"1998", "2001"}},
                                           Split{"a|b", "", {"a|b"}}, Split{"x, ", ",", {"x", ""}}));

TEST(Implode, TrimsAndJoins)
{
    EXPECT_EQ(Implode({"a", "b", "", "c"}, ", "), "a, b, , c");
    EXPECT_EQ(Implode({"  Lenga ", "Coihue"}, ", "), "Lenga, Coihue");
    EXPECT_EQ(Implode({}, ", "), "");
    EXPECT_EQ(Implode(Explode("a, b,,c", ","), ", "), "a, b, , c");
}

TEST(Contar, CountsNonOverlappingOccurrences)
{
    EXPECT_EQ(Contar("a|b|c", "|"), 2);
    EXPECT_EQ(Contar("a|b|c", ""), 0);
    EXPECT_EQ(Contar("aaaa", "aa"), 2);
    EXPECT_EQ(Contar("aaa", "aa"), 1);
    EXPECT_EQ(Contar("", "a"), 0);
    EXPECT_EQ(Contar("\t\tx\t", "\t"), 3);
}

TEST(DiferenciaTStrings, RemovesOneEqualItemPerItem)
{
    EXPECT_EQ(DiferenciaTStrings({"x", "x", "y"}, {"x"}), (QStringList{"x", "y"}));
    EXPECT_EQ(DiferenciaTStrings({"Lenga", "Coihue"}, {"LENGA"}), (QStringList{"Coihue"}));
    EXPECT_EQ(DiferenciaTStrings({"a"}, {"b", "a", "a"}), QStringList{});
    EXPECT_EQ(DiferenciaTStrings({}, {"a"}), QStringList{});
    EXPECT_EQ(DiferenciaTStrings({"b", "a"}, {}), (QStringList{"b", "a"}));
}

TEST(getNombreProfesionConsultor, NamesTheThreeProfessions)
{
    EXPECT_EQ(getNombreProfesionConsultor("1"), "INGENIERO FORESTAL");
    EXPECT_EQ(getNombreProfesionConsultor("2"), "INGENIERO AGRONOMO ESPECIALIZADO");
    EXPECT_EQ(getNombreProfesionConsultor("3"), "INGENIERO AGRONOMO");
    EXPECT_EQ(getNombreProfesionConsultor("4"), "");
    EXPECT_EQ(getNombreProfesionConsultor(""), "");
}

TEST(GetProgramVersion, GivesMajorDotMinor)
{
    EXPECT_EQ(GetProgramVersion(""), "2.5");
    EXPECT_EQ(GetProgramVersion(QCoreApplication::applicationFilePath()), "2.5");
    EXPECT_EQ(GetProgramVersion("/no/such/program"), "Unknown");
}

TEST(ObtenerVersionArchivo, GivesThreeNumbers)
{
    EXPECT_EQ(ObtenerVersionArchivo(), "2.5.0");
    EXPECT_EQ(ObtenerVersionArchivo(QCoreApplication::applicationFilePath()), "2.5.0");
    EXPECT_EQ(ObtenerVersionArchivo("/no/such/program"), "Unknown");
}

TEST(Trace, WritesNothingInThisBuild)
{
    EXPECT_FALSE(isDebug());
    QObject sender;
    sender.setObjectName("btnGuardar");
    testing::internal::CaptureStdout();
    DebugIn("Guardar", &sender);
    DebugIn("Guardar", QString("x"));
    DebugIn("Guardar", nullptr);
    DebugOut("Guardar");
    Debug(QVariant(3));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

} // namespace
