#include "traduccionqt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstring>

namespace {

// Texts Qt 6 moved to contexts its Spanish catalogue does not have yet; consulted only
// when the catalogue gives nothing.
class TraduccionesFaltantes final : public QTranslator
{
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char *contexto, const char *texto, const char *, int) const override
    {
        struct Texto
        {
            const char *contexto, *ingles, *espanol;
        };
        static const Texto textos[] = {
            {"QAbstractFileIconProvider", "Folder", "Carpeta"},
            {"QAbstractFileIconProvider", "Drive", "Unidad"},
            {"QAbstractFileIconProvider", "File", "Archivo"},
            {"QAbstractFileIconProvider", "%1 File", "Archivo %1"},
            {"QAbstractFileIconProvider", "Unknown", "Desconocido"},
        };
        if (!contexto || !texto)
            return QString();
        for (const Texto &t : textos) {
            if (std::strcmp(contexto, t.contexto) == 0 && std::strcmp(texto, t.ingles) == 0)
                return QString::fromUtf8(t.espanol);
        }
        return QString();
    }
};

} // namespace

void InstalarTraduccionQt()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (app->property("traduccionQt").toBool())
        return;
    app->setProperty("traduccionQt", true);
    // Searched last: installed first.
    QCoreApplication::installTranslator(new TraduccionesFaltantes(app));
    auto *qt = new QTranslator(app);
    if (qt->load(QLocale(QLocale::Spanish, QLocale::Chile), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
}
