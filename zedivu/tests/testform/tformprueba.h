#pragma once
// The test form PRUEBA, built from its description prueba.form: a main table with an
// edit, a lookup combo and a memo on its first page, a detail grid on the second.
#include "tcustommdichild.h"

class BuiltForm;

class TFormPRUEBA : public TCustomMDIChild
{
    Q_OBJECT

public:
    explicit TFormPRUEBA(QWidget *owner = nullptr);

    void Nuevo() override;
    void ComponerImpresion(TImpresion *impresion) override;
    QByteArray PrepararXML() override;
    void InicializarDatasetPpal(const QString &nombreCompleto) override;
    void DbgEventoOnExitEspecial(QObject *sender) override;

private:
    Connection *m_conexion;
    Connection *m_conexionPpal;
    BuiltForm *m_formulario = nullptr;
};
