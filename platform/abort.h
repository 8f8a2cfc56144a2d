#pragma once
// The silent abort: an exception that cancels the running operation without a message.
//
// A Before* handler of a dataset (BeforePost, BeforeDelete, BeforeEdit, ...) calls Abort()
// to cancel the operation it precedes: the dataset's state and data stay as they were and
// the EAbort propagates to whoever called Post/Delete/Edit/... Code that starts such an
// operation from a Qt event handler (a widget, a slot, a timer) must catch EAbort there and
// drop it silently: no exception may leave a Qt event handler. catchAbort() does exactly that.
#include <exception>
#include <functional>

class EAbort : public std::exception
{
public:
    ~EAbort() override;
    const char *what() const noexcept override;
};

[[noreturn]] void Abort();

// Runs `operation`; returns false when it was cancelled with Abort(), true otherwise.
// Other exceptions pass through.
bool catchAbort(const std::function<void()> &operation);
