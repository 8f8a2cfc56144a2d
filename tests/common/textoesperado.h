#pragma once
// Golden texts of the exports: read from the test's source folder (tests/), and the text
// obtained left beside the test binary as NOMBRE.obtenido.xml when it differs, for a person
// to compare and, when right, to copy over the golden file.
#include <QByteArray>
#include <QFile>
#include <QString>

inline QByteArray TextoEsperado(const QString &archivo)
{
    QFile f(QStringLiteral(BRENVIK_TEST_DIR "/") + archivo);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// True when `obtenido` is the golden text `nombre`.xml; else it is saved for comparison.
inline bool ComoElEsperado(const QByteArray &obtenido, const QString &nombre, const QString &golden = QString())
{
    const QByteArray esperado = TextoEsperado((golden.isEmpty() ? nombre : golden) + QStringLiteral(".xml"));
    if (!esperado.isEmpty() && obtenido == esperado)
        return true;
    QFile salida(nombre + QStringLiteral(".obtenido.xml"));
    if (salida.open(QIODevice::WriteOnly))
        salida.write(obtenido);
    return false;
}
