#include "fallaprogramacion.h"

#include "dialogservice.h"

#include <QLoggingCategory>

namespace {
Q_LOGGING_CATEGORY(lcFalla, "brenvik.zedivu.falla", QtWarningMsg)
}

void FallaProgramacion(const QString &mensaje, const char *unidad, int linea)
{
    const QString texto = QStringLiteral("%1 (%2, línea %3)").arg(mensaje, QString::fromLatin1(unidad)).arg(linea);
    qCCritical(lcFalla).noquote() << texto;
    DialogoWin32(mtError, texto, MB::OK);
}
