// The module instance: every menu, icon and the dialog template are loaded from it.
#include "app.h"

HINSTANCE hInstance;
