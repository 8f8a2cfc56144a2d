#pragma once
// The text of a PDF file as pdftotext lays it out, pages separated by form feeds, for the
// tests that print to PDF; empty when the tool fails. Tests skip when it is not installed.
#include <QProcess>
#include <QStandardPaths>
#include <QString>

inline bool HayPdftotext()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

inline QString PdfATexto(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}
