// File menu commands: New, Open and Save.
#include "veltora.h"

// Reading and writing configuration files land with the file commands; until then the menu
// entries exist and do nothing.

void Veltora::menuNewClicked()
{
}

void Veltora::menuOpenClicked()
{
}

void Veltora::menuSaveClicked()
{
}
