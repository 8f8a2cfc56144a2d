// Renders an XPM image (kept as text in the sources) into the BMP file the program reads,
// at build time. Usage: xpmabmp <in.xpm> <out.bmp>
#include <QImage>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "uso: xpmabmp <entrada.xpm> <salida.bmp>\n");
        return 2;
    }
    const QImage imagen(QString::fromLocal8Bit(argv[1]), "XPM");
    if (imagen.isNull()) {
        std::fprintf(stderr, "xpmabmp: %s no es una imagen XPM legible\n", argv[1]);
        return 1;
    }
    QSaveFile salida(QString::fromLocal8Bit(argv[2]));
    if (!salida.open(QIODevice::WriteOnly) || !imagen.convertToFormat(QImage::Format_RGB888).save(&salida, "BMP")
        || !salida.commit()) {
        std::fprintf(stderr, "xpmabmp: no se pudo escribir %s\n", argv[2]);
        return 1;
    }
    return 0;
}
