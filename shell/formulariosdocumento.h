#pragma once
// The form windows of the open document in the main window's MDI area.
#include "tcustommdichild.h"

#include <QList>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

// The form windows in MDI order.
inline QList<QPointer<TCustomMDIChild>> formularios(const QMdiArea *area)
{
    QList<QPointer<TCustomMDIChild>> r;
    for (QMdiSubWindow *sub : area->subWindowList())
        if (auto *f = qobject_cast<TCustomMDIChild *>(sub->widget()))
            r.append(f);
    return r;
}

// The active form window, else the current or the first one; null without a document.
inline TCustomMDIChild *formularioActivo(const QMdiArea *area)
{
    QMdiSubWindow *sub = area->activeSubWindow() ? area->activeSubWindow() : area->currentSubWindow();
    if (!sub && !area->subWindowList().isEmpty())
        sub = area->subWindowList().first();
    return sub ? qobject_cast<TCustomMDIChild *>(sub->widget()) : nullptr;
}

// Every form window is busy while a command of the main window runs, so that data events it
// raises do not mark the document modified; cleared on every way out.
class Ocupados
{
public:
    explicit Ocupados(const QMdiArea *area) : m_formularios(formularios(area))
    {
        for (TCustomMDIChild *f : m_formularios)
            f->Ocupado = true;
    }
    ~Ocupados()
    {
        for (const QPointer<TCustomMDIChild> &f : m_formularios)
            if (f)
                f->Ocupado = false;
    }
    Ocupados(const Ocupados &) = delete;
    Ocupados &operator=(const Ocupados &) = delete;

private:
    QList<QPointer<TCustomMDIChild>> m_formularios;
};
