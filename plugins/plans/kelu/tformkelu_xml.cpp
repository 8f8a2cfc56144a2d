#include "tformkelu.h"

QByteArray TFormKELU::PrepararXML()
{
    return {};
}
