#include "transaction.h"

#include "connection.h"

#include <atomic>

namespace {
std::atomic<int> savepointCounter{0};
}

Transaction::Transaction(Connection &connection)
    : m_connection(connection)
    , m_name(QStringLiteral("brenvik_sp%1").arg(++savepointCounter))
    , m_outermost(!connection.inTransaction())
{
    m_active = m_connection.exec(QStringLiteral("SAVEPOINT ") + m_name);
}

Transaction::~Transaction()
{
    if (m_active)
        rollback();
}

bool Transaction::commit()
{
    if (!m_active)
        return false;
    if (!m_connection.exec(QStringLiteral("RELEASE ") + m_name))
        return false;
    m_active = false;
    return true;
}

void Transaction::rollback()
{
    if (!m_active)
        return;
    m_active = false;
    // Keep the error that made the caller give up, not the rollback's own result.
    const SqlError error = m_connection.lastError();
    // The outermost guard ends the transaction itself: a RELEASE after ROLLBACK TO is a
    // commit, which a reader of the file can refuse, and the write lock would stay.
    if (m_outermost) {
        m_connection.exec(QStringLiteral("ROLLBACK"));
    } else {
        m_connection.exec(QStringLiteral("ROLLBACK TO ") + m_name);
        m_connection.exec(QStringLiteral("RELEASE ") + m_name);
    }
    if (error.isValid())
        m_connection.setError(error.message, error.sql, error.code);
}
