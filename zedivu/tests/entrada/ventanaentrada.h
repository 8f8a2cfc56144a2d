#pragma once
// What the data-entry tests share: a bare form window over a program directory, and a way
// to act on the next modal window that opens (the selection windows run modally).
#include "tcustommdichild.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTimer>
#include <functional>

class VentanaEntrada : public TCustomMDIChild
{
public:
    VentanaEntrada() { Codigo = QStringLiteral("PRUE"); }
    void Nuevo() override {}
    void ComponerImpresion(TImpresion *) override {}
    QByteArray PrepararXML() override { return {}; }
};

// The seeded main database of the build.
inline QString DirProgramaConstruido()
{
    return QStringLiteral(BRENVIK_BIN_DIR "/");
}

// A program directory of its own under `dir` with a copy of the seeded main database.
inline QString CopiarProgramaConstruido(const QString &dir)
{
    QDir().mkpath(dir + QStringLiteral("/bbdd"));
    QFile::copy(DirProgramaConstruido() + QStringLiteral("bbdd/bd.db"), dir + QStringLiteral("/bbdd/bd.db"));
    QFile(dir + QStringLiteral("/bbdd/bd.db")).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return dir + QStringLiteral("/");
}

// Types text the way a keyboard does, one key event per character (also letters the test
// library cannot type, like ñ).
inline void Teclear(QWidget *w, const QString &texto)
{
    for (QChar c : texto) {
        QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

// Runs `accion` on the next modal dialog once it is shown. With BRENVIK_CAPTURAS set to
// a folder, the dialog is also saved there as <objectName>.png before the action.
inline void AlAbrirModal(std::function<void(QDialog *)> accion)
{
    auto *reloj = new QTimer;
    reloj->setInterval(5);
    QObject::connect(reloj, &QTimer::timeout, reloj, [reloj, accion] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!d || !d->isVisible())
            return;
        reloj->stop();
        reloj->deleteLater();
        const QString capturas = qEnvironmentVariable("BRENVIK_CAPTURAS");
        if (!capturas.isEmpty())
            d->grab().save(capturas + QLatin1Char('/') + d->objectName() + QStringLiteral(".png"));
        accion(d);
    });
    reloj->start();
}
