#include "dialogservice.h"
#include "scripteddialogs.h"

#include <gtest/gtest.h>

namespace {

struct Caption
{
    TMsgDlgType tipo;
    const char *caption;
};

class DialogoWin32Case : public ::testing::TestWithParam<Caption>
{
};

TEST_P(DialogoWin32Case, ShowsTheKindsCaptionAndPassesButtonsAndAnswer)
{
    ScriptedDialogs dialogs;
    dialogs.responder({ID::NO});
    EXPECT_EQ(DialogoWin32(GetParam().tipo, "¿Desea grabar?", MB::YESNOCANCEL), ID::NO);
    ASSERT_EQ(dialogs.boxes.size(), 1);
    EXPECT_EQ(dialogs.boxes[0].tipo, GetParam().tipo);
    EXPECT_EQ(dialogs.boxes[0].caption, QString::fromUtf8(GetParam().caption));
    EXPECT_EQ(dialogs.boxes[0].texto, QString::fromUtf8("¿Desea grabar?"));
    EXPECT_EQ(dialogs.boxes[0].botones, MB::YESNOCANCEL);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DialogoWin32Case,
                         ::testing::Values(Caption{mtWarning, "Advertencia"}, Caption{mtError, "Error"},
                                           Caption{mtInformation, "Información"}, Caption{mtConfirmation, "Confirmación"},
                                           Caption{mtCustom, ""}));

TEST(ArchivoNoEncontrado, NamesTheFileInCapitals)
{
    ScriptedDialogs dialogs;
    ArchivoNoEncontrado("bd.db");
    ASSERT_EQ(dialogs.boxes.size(), 1);
    EXPECT_EQ(dialogs.boxes[0].tipo, mtError);
    EXPECT_EQ(dialogs.boxes[0].botones, MB::OK);
    EXPECT_EQ(dialogs.textos(), QStringList{QString::fromUtf8("Falta uno de los archivos requeridos por la aplicación (BD.DB).")});
}

TEST(ScriptedDialogs, AnswersFromTheQueueThenTheDefaultAndRestoresThePreviousService)
{
    DialogService *before = DialogService::instance();
    {
        ScriptedDialogs outer(ID::CANCEL);
        {
            ScriptedDialogs inner(ID::YES);
            inner.responder({ID::NO, ID::RETRY});
            EXPECT_EQ(DialogoWin32(mtConfirmation, "a", MB::YESNO), ID::NO);
            EXPECT_EQ(DialogoWin32(mtConfirmation, "b", MB::RETRYCANCEL), ID::RETRY);
            EXPECT_EQ(DialogoWin32(mtConfirmation, "c", MB::YESNO), ID::YES);
            EXPECT_EQ(inner.textos(), (QStringList{"a", "b", "c"}));
        }
        EXPECT_EQ(DialogService::instance(), &outer);
        EXPECT_EQ(DialogoWin32(mtWarning, "d", MB::OKCANCEL), ID::CANCEL);
        EXPECT_EQ(outer.boxes.size(), 1);
    }
    EXPECT_EQ(DialogService::instance(), before);
}

} // namespace
