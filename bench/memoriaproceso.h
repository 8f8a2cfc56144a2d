#pragma once
// The process's own memory as Linux reports it, for the benchmarks that print it.
#include <QByteArray>
#include <QFile>

// A line of /proc/self/status ("VmRSS", "VmHWM") in megabytes; -1 when not there.
inline double memoria(const char *campo)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefijo = QByteArray(campo) + ':';
    for (const QByteArray &linea : f.readAll().split('\n')) {
        if (linea.startsWith(prefijo))
            return linea.mid(prefijo.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}
