// Feeds arbitrary bytes to the document reader as a whole document file and looks for
// every form code of the program, and for the code of the input's own first record, so
// that a mutated real document (the seeds are small real documents) reaches expansion
// and the database checks whatever it starts with and whatever code it names.
#include "registrodocumento.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const char *const codigos[] = {"KELU",  "DALU",   "TISA",  "VORDA", "BEXA", "DORVO", "DUVI",
                                          "FENRA", "FERUN",  "TROZEL", "WIRO", "YOLVA", "COBA", "ERTIV",
                                          "ESKA",  "HARPE",  "ILVA",  "JOREV", "KIFO", "LUMO",  "PELTO",
                                          "ZURI",  "MARPO",  "QUIREL", "PRUEBA"};
    const QByteArray documento = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    // A small limit keeps each run fast; the limit itself is what is being exercised.
    const qint64 limite = 4 * 1024 * 1024;
    auto leer = [&](const QString &codigo) {
        const RegistroDocumento::Lectura l = RegistroDocumento::leer(documento, codigo, limite);
        if (l.resultado == RegistroDocumento::Lectura::Encontrado && l.base.size() < 100)
            __builtin_trap();
    };
    for (const char *codigo : codigos)
        leer(QString::fromLatin1(codigo));
    const qsizetype inicio = documento.startsWith('v') ? 6 : 0;
    if (documento.size() >= inicio + 6)
        leer(QString::fromLatin1(documento.mid(inicio, 6)));
    return 0;
}
