#include "abort.h"

EAbort::~EAbort() = default;

const char *EAbort::what() const noexcept
{
    return "Operation aborted";
}

void Abort()
{
    throw EAbort();
}

bool catchAbort(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const EAbort &) {
        return false;
    }
    return true;
}
