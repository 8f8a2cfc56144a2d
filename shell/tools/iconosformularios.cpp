// Draws the icons of the new-document dialog, one img/form<extension>.bmp per combination
// of the form catalogue: a page with the combination's abbreviation on a band coloured by
// the kind of its principal form, on lime green, the colour the dialog makes transparent.
// Usage: iconosformularios <bd.db> <img folder>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <sqlite3.h>

#include <cstdio>

namespace {

QColor colorDe(const QString &principal)
{
    static const QStringList planes = {"KELU", "VORDA", "DALU", "TISA"};
    static const QStringList solicitudes = {"FENRA", "BEXA", "DUVI", "YOLVA", "TROZEL", "WIRO", "DORVO", "FERUN", "MARPO"};
    if (planes.contains(principal, Qt::CaseInsensitive))
        return QColor(34, 120, 50);
    if (solicitudes.contains(principal, Qt::CaseInsensitive))
        return QColor(30, 80, 160);
    return QColor(190, 100, 20);
}

QImage icono(const QString &sigla, const QColor &color)
{
    QImage imagen(48, 48, QImage::Format_RGB32);
    imagen.fill(QColor(0, 255, 0));
    QPainter p(&imagen);
    // Hard edges against the lime green, so that nothing half-lime escapes the mask.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    const QPolygon hoja({QPoint(8, 2), QPoint(32, 2), QPoint(40, 10), QPoint(40, 45), QPoint(8, 45)});
    p.drawPolygon(hoja);
    p.setBrush(QColor(220, 220, 220));
    p.drawPolygon(QPolygon({QPoint(32, 2), QPoint(32, 10), QPoint(40, 10)}));
    p.setPen(QColor(170, 170, 170));
    for (int y = 14; y <= 22; y += 4)
        p.drawLine(12, y, 30, y);
    p.fillRect(QRect(3, 27, 42, 13), color);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    QFont fuente(QStringLiteral("Liberation Sans"));
    fuente.setBold(true);
    fuente.setPixelSize(sigla.size() > 4 ? 8 : 10);
    p.setFont(fuente);
    p.setPen(Qt::white);
    p.drawText(QRect(3, 27, 42, 13), Qt::AlignCenter, sigla);
    p.setPen(QColor(170, 170, 170));
    p.drawLine(12, 42, 34, 42);
    return imagen;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: iconosformularios <bd.db> <img folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString carpeta = QFile::decodeName(argv[2]);
    if (!QDir().mkpath(carpeta)) {
        std::fprintf(stderr, "cannot create %s\n", argv[2]);
        return 1;
    }
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "cannot open %s: %s\n", argv[1], sqlite3_errmsg(db));
        sqlite3_close(db);
        return 1;
    }
    sqlite3_stmt *consulta = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT form_extension, form_sigla, form_principal FROM formularios", -1, &consulta, nullptr)
        != SQLITE_OK) {
        std::fprintf(stderr, "cannot read formularios: %s\n", sqlite3_errmsg(db));
        sqlite3_close(db);
        return 1;
    }
    int resultado = 0;
    auto texto = [consulta](int columna) {
        const auto *t = reinterpret_cast<const char *>(sqlite3_column_text(consulta, columna));
        return t ? QString::fromUtf8(t) : QString();
    };
    while (sqlite3_step(consulta) == SQLITE_ROW) {
        const QString extension = texto(0).toLower();
        const QString archivo = carpeta + QStringLiteral("/form") + extension + QStringLiteral(".bmp");
        if (!icono(texto(1), colorDe(texto(2))).save(archivo, "BMP")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(archivo));
            resultado = 1;
        }
    }
    sqlite3_finalize(consulta);
    sqlite3_close(db);
    return resultado;
}
