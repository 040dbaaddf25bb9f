#include "instance.h"

HINSTANCE hInstance;
