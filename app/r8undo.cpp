#include "r8undo.h"

R8undo::R8undo(int kind, QObject* parent)
    : QObject(parent)
    , iKind(kind)
{
}
