// Feeds arbitrary bytes to the document reader as a whole document file and looks for
// every form code a document may hold, so that a mutated real document (the seeds are
// small real documents) reaches expansion and the database checks whatever it starts
// with.
#include "registrodocumento.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const char *const codigos[] = {"KELU", "DORVO", "QUIREL", "MARPO", "PRUEBA"};
    const QByteArray documento = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const char *codigo : codigos) {
        // A small limit keeps each run fast; the limit itself is what is being exercised.
        const RegistroDocumento::Lectura l =
            RegistroDocumento::leer(documento, QString::fromLatin1(codigo), 4 * 1024 * 1024);
        if (l.resultado == RegistroDocumento::Lectura::Encontrado && l.base.size() < 100)
            __builtin_trap();
    }
    return 0;
}
