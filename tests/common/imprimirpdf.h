#pragma once
// Printing a form window to a PDF file as the print command does (Legal paper), and the
// pictures of its pages for a person to look at (testhome/<nombre>-N.png, when pdftoppm is
// installed). For the tests of form printouts.
#include "tcustommdichild.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

inline bool ImprimirAPdf(TCustomMDIChild *form, const QString &pdf, QString *error)
{
    TCustomMDIChild::setPapelImpresora(QStringLiteral("Legal"), 0, 0);
    QPrinter impresora;
    impresora.setOutputFileName(pdf);
    QPrintDialog dialogo(&impresora);
    form->DialogoImpresion = &dialogo;
    const bool ok = form->Imprimir(error);
    form->DialogoImpresion = nullptr;
    return ok;
}

inline void PaginasAPng(const QString &pdf, const QString &nombre)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        return;
    const QString png = QStringLiteral(BRENVIK_BIN_DIR "/../testhome/") + nombre;
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), pdf, png});
}
