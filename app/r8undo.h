#pragma once
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QSize>

class R8element;

// One step of the undo list: an element that was added (kind 0) or the state
// of an element just before one of its properties changed (kind 1).
class R8undo : public QObject
{
    Q_OBJECT
public:
    enum Kind { Added = 0, Changed = 1 };

    explicit R8undo(int iKind, QObject* parent = nullptr);

    int iIndex = -1;
    // Guarded: a record must never act on an element that is gone.
    QPointer<R8element> pElement;
    QSize Size;
    QPoint Position;
    unsigned int uAttribs = 0;
    unsigned int uPages = 0;
    int iField = 0;
    int iKind;
};
