#pragma once
// Scope guard for a group of writes: rolls back unless commit() was called. Guards nest
// (an inner guard is a savepoint of the outer transaction).
//
//     Transaction tr(conn);
//     if (!conn.exec(...) || !conn.exec(...)) return false;   // rolled back
//     return tr.commit();
#include <QString>

class Connection;

class Transaction
{
public:
    explicit Transaction(Connection &connection);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    // False when the transaction could not start (see the connection's lastError()).
    bool isActive() const { return m_active; }
    // False when the writes could not be kept (a reader holding the file past the busy
    // timeout): the guard stays active, and rollback() or its end undoes them.
    bool commit();
    void rollback();

private:
    Connection &m_connection;
    QString m_name;
    bool m_outermost; // began the transaction (no guard around it)
    bool m_active = false;
};
