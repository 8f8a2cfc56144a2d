#pragma once
// The text of a PDF file as pdftotext lays it out, pages separated by form feeds, for the
// tests that print to PDF; empty when the tool fails. Tests skip when it is not installed.
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <initializer_list>

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

// The pages (numbered from 1) of a printout's text that lack the form's mark `marca` or
// their "Página N de M" foot; empty when every page has both.
inline QStringList PaginasSinEncabezado(const QString &texto, const QString &marca)
{
    const QStringList paginas = texto.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QStringList faltan;
    for (qsizetype i = 0; i < paginas.size(); ++i) {
        const QString pie = QStringLiteral("Página %1 de %2").arg(i + 1).arg(paginas.size());
        if (!paginas.at(i).contains(marca) || !paginas.at(i).contains(pie))
            faltan << QString::number(i + 1);
    }
    return faltan;
}

// The parts that the text does not hold in the order given (each looked for after the
// previous one found); empty when all are there in order.
inline QStringList FaltanEnOrden(const QString &texto, std::initializer_list<const char *> partes)
{
    QStringList faltan;
    qsizetype desde = 0;
    for (const char *parte : partes) {
        const qsizetype en = texto.indexOf(QString::fromUtf8(parte), desde);
        if (en < 0)
            faltan << QString::fromUtf8(parte);
        else
            desde = en + 1;
    }
    return faltan;
}
