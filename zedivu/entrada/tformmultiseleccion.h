#pragma once
// The multi-selection list: the user ticks the items of a list (years, species, stands)
// that a field holds as a comma-separated text. Callers split the field's text with
// Explode(text, ","), call MultiSeleccion and store the result with Implode(result, ", ").
#include <QDialog>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <optional>

class Connection;
class QListWidget;
class QListWidgetItem;
class QPushButton;

class TformMultiSeleccion : public QDialog
{
    Q_OBJECT

public:
    explicit TformMultiSeleccion(QWidget *parent = nullptr);

    // Lists `items` trimmed, in order; an item is ticked when `actuales` holds it (trimmed,
    // case ignored).
    void cargar(const QStringList &items, const QStringList &actuales);
    // The ticked items, trimmed, in list order.
    QStringList marcados() const;
    // Toggles the tick of the item under the cursor.
    void clbMultiDblClick(QListWidgetItem *item);

    QListWidget *clbMulti = nullptr;
    QPushButton *btnAceptar = nullptr;
    QPushButton *btnCancelar = nullptr;

    // The warning beep of an empty list; tests replace it.
    static std::function<void()> Pitido;
};

// Shows the list of `items` with `actuales` ticked. OK: the ticked items (an empty list
// when the user unticked all); Cancel: `actuales` as given. Without items: no window, a
// beep, and std::nullopt so that the caller changes nothing.
std::optional<QStringList> LevantarForm(const QStringList &items, const QStringList &actuales, QWidget *padre = nullptr);

// LevantarForm over the first column of every row of `sql` (values bound from `params`),
// on the database file `archivo` or on an open connection. A failed query lists nothing.
std::optional<QStringList> MultiSeleccion(const QString &archivo, const QString &sql, const QStringList &actuales,
                                          const QVariantList &params = {}, QWidget *padre = nullptr);
std::optional<QStringList> MultiSeleccion(Connection *conexion, const QString &sql, const QStringList &actuales,
                                          const QVariantList &params = {}, QWidget *padre = nullptr);
