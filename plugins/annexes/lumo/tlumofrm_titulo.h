#pragma once
// The title frame: a blank section that only heads the sections below it in the outline;
// it prints its title in capitals and writes no XML. It also stands for a frame name that
// names no frame, saying so on its page.
#include "tframelumo.h"

class QLabel;

class TlumoFrm_titulo : public TFrameLumo
{
    Q_OBJECT

public:
    explicit TlumoFrm_titulo(QWidget *parent);

    void setTexto(const QString &texto);
    QString Texto() const;

    void getImpresion(const QString &pagina, const QString &titulo, TImpresion *impresion) override;

private:
    QLabel *m_etiqueta;
};
