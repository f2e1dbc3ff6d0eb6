#pragma once
#include <QtGlobal>

// Resources compiled into a static library must be registered by hand.
inline void InitR8Resources()
{
    Q_INIT_RESOURCE(images);
    Q_INIT_RESOURCE(catalogue);
}
