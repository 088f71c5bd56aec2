#include "resources.h"

#include <QtGlobal>

// A static library's resources are only registered when something references them; the macro has to
// stand outside any namespace.
static void initCollection()
{
    Q_INIT_RESOURCE(lyntra);
}

void lyntra_init_resources()
{
    initCollection();
}
