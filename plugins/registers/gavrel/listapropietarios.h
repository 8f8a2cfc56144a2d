#pragma once
// The property register's owners check list as a model: the property's owners ticked,
// then every other person of the main database in the order of their names, read from
// the names' index. The other persons' codes are read in chunks and their names in pages
// as the view asks for them, so showing the list costs the same with ten persons or
// hundreds of thousands.
#include <QAbstractListModel>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <QVariant>
#include <vector>

class Connection;

class ListaPropietarios : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit ListaPropietarios(Connection *conexion, QObject *parent = nullptr);

    // Lists the owners of `predio` (none for a null one). False when it could not be read.
    bool cargar(const QVariant &predio);
    // The persons may have changed (the persons register was open).
    void releerPersonas();
    // Empties the list.
    void vaciar();

    qint64 codigo(int fila) const;
    // The ticked persons' codes in list order (an owner listed twice, twice).
    std::vector<qint64> marcados() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    // Reads codes until the first `n` other persons are known (or there are no more).
    void conocerOtros(std::size_t n) const;
    QString texto(int otro) const;

    Connection *m_conexion;
    qint64 m_totalPersonas = 0;
    bool m_totalLeido = false;
    std::vector<qint64> m_duenos; // the property's owners, as stored
    std::vector<char> m_duenoMarcado;
    QStringList m_textosDuenos;
    QSet<qint64> m_codigosDuenos;
    int m_duenosEntrePersonas = 0; // distinct owners (all of them are persons)
    // The persons in name order read so far, and those of them that are not owners.
    mutable std::vector<qint64> m_personas;
    mutable bool m_personasCompletas = false;
    mutable std::vector<qint64> m_otros;
    QSet<qint64> m_otroMarcado;
    mutable QHash<qint64, QString> m_textos;
};
