#pragma once
// Data-aware check box over a boolean field: a click writes the field at once (entering
// Edit state); a null field shows unticked.
#include "dataawarecontrol.h"

#include <QCheckBox>

class DBCheckBox : public QCheckBox, public DataAwareControl
{
    Q_OBJECT

public:
    explicit DBCheckBox(QWidget *parent = nullptr);

protected:
    void loadValue() override;
    void updateReadOnly() override;
    void nextCheckState() override;

private:
    bool m_loading = false;
};
