#include "mainwindowsettings.h"

#include "shelllog.h"

#include <QSettings>

namespace {

std::optional<int> entero(const QSettings &s, const char *clave)
{
    if (!s.contains(QLatin1String(clave)))
        return std::nullopt;
    bool ok = false;
    const int valor = s.value(QLatin1String(clave)).toInt(&ok);
    return ok ? std::optional<int>(valor) : std::nullopt;
}

} // namespace

MainWindowSettings MainWindowSettings::read()
{
    MainWindowSettings result;
    QSettings s(QStringLiteral("Varno"), QStringLiteral("Brenvik"));
    if (s.status() != QSettings::NoError) {
        qCWarning(lcShell) << "settings cannot be read:" << s.fileName();
        return result;
    }
    result.top = entero(s, "Ventana_Arr");
    result.left = entero(s, "Ventana_Izq");
    result.maximized = entero(s, "Estado_Ventana") == 1;
    result.treeWidth = entero(s, "Separador_Izq");
    result.consultorId = entero(s, "Consultor_Id").value_or(0);
    return result;
}

bool MainWindowSettings::write() const
{
    QSettings s(QStringLiteral("Varno"), QStringLiteral("Brenvik"));
    if (!s.isWritable()) {
        qCWarning(lcShell) << "settings cannot be written:" << s.fileName();
        return false;
    }
    s.setValue(QStringLiteral("Ventana_Arr"), top.value_or(0));
    s.setValue(QStringLiteral("Ventana_Izq"), left.value_or(0));
    s.setValue(QStringLiteral("Estado_Ventana"), maximized ? 1 : 0);
    s.setValue(QStringLiteral("Separador_Izq"), treeWidth.value_or(0));
    s.setValue(QStringLiteral("Consultor_Id"), consultorId);
    s.sync();
    return s.status() == QSettings::NoError;
}
