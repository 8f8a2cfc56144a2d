#pragma once
// Looks a form's component up by the name its description gives it (objectName):
// datasets ("adtKELU_desc"), data sources ("dsrcPpal"), pages ("TabSheet3"), the page
// control ("PageControl1") and every control. Null when there is none of that name and
// class; names are exact (case matters), as the description writes them.
#include <QObject>
#include <QString>

template <class T>
T *findComponent(const QObject *root, const QString &name)
{
    if (!root)
        return nullptr;
    if (root->objectName() == name)
        if (T *self = qobject_cast<T *>(const_cast<QObject *>(root)))
            return self;
    return root->findChild<T *>(name);
}
