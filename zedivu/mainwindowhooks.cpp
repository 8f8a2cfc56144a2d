#include "mainwindowhooks.h"

namespace {
MainWindowHooks *g_hooks = nullptr;
}

MainWindowHooks *MainWindowHooks::instance()
{
    return g_hooks;
}

void MainWindowHooks::install(MainWindowHooks *hooks)
{
    g_hooks = hooks;
}

void MainWindowHooks::notifyFormActivated(QWidget *form)
{
    if (g_hooks)
        g_hooks->formActivated(form);
}

void MainWindowHooks::notifyFormClosed(QWidget *form)
{
    if (g_hooks)
        g_hooks->formClosed(form);
}
