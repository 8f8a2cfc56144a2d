#pragma once
// The few reads of the main database that the main window makes at start-up and when a
// consultant is chosen. Every failure reads as "nothing found" and is logged.
#include <QList>
#include <QPair>
#include <QString>

namespace ConsultasPpal {

// (form_extension, form_descripcion) of every combination, ordered by extension.
QList<QPair<QString, QString>> extensionesFormularios(const QString &bd);
// Whether table `consultor` holds `consId`.
bool existeConsultor(const QString &bd, int consId);
// "paterno materno, nombre" (apellidoPrimero) or "nombre paterno materno"; empty when absent.
QString nombreConsultor(const QString &bd, int consId, bool apellidoPrimero);

} // namespace ConsultasPpal
