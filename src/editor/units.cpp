// Display units of the editor: the conversion factors and redisplaying every value.
#include "veltora.h"

// Setting the factors and redisplaying the values land with unit conversion; until then the
// window keeps tonnes and metres whatever the dialog sends.
void Veltora::receiveUnits(quint8, quint8, float)
{
}
