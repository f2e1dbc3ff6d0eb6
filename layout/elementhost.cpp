#include "elementhost.h"

ElementHost* g_pElementHost = nullptr;
