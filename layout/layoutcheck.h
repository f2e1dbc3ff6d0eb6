#pragma once
#include "pageprops.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QVector>
#include <functional>

class R8element;

// What may go wrong with a layout before it reaches the instrument: checked
// on plain data, so the designer, r8tool and the tests share one answer.
namespace LayoutCheck {

enum class Kind {
    Overlap,         // two elements cover each other
    OffScreen,       // an element reaches past the screen's edge
    NoField,         // a value box or dial that shows no data field
    FieldNotOffered, // a field the chosen instrument model does not have
    EmptyPage,       // an enabled page without elements
    DisabledTrigger, // triggers on a page the instrument skips
};

// One element as the check sees it.
struct Item {
    int index = -1; // place in the element list (and in the file)
    int type = 0;
    int field = 0;
    QString fieldName;
    QRect rect; // instrument pixels
    quint32 pages = 0;
    bool needsField = false; // the type shows a data field
};

// One row of the result: a problem on one page.
struct Problem {
    Kind kind;
    int page;
    QList<int> elements; // element indexes, in list order
    QString text;
};

// Tells whether the chosen model offers a field id.
using FieldOffered = std::function<bool(int field)>;

QVector<Item> ItemsOf(const QList<R8element*>& elements);

// Every problem, ordered by page, then by kind, then by element. Without
// offered (no catalogue to ask) fields are not checked against the model.
QVector<Problem> Check(const QVector<Item>& items, const QVector<PageProps>& pages,
                       const FieldOffered& offered = FieldOffered());

// The same for the designer's catalogue: fields are checked when it holds any.
QVector<Problem> CheckWithCatalogue(const QList<R8element*>& elements, const QVector<PageProps>& pages);

// "page N: text" lines, one per problem.
QStringList Report(const QVector<Problem>& problems);

} // namespace LayoutCheck
