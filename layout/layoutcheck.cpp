#include "layoutcheck.h"
#include "appglobals.h"
#include "datafields.h"
#include "r8element.h"

#include <QCoreApplication>
#include <algorithm>

namespace LayoutCheck {

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("LayoutCheck", text);
}

// A border line shared by two elements (what the join commands make) is no
// overlap; a common area of two pixels or more each way is.
bool Overlaps(const QRect& a, const QRect& b)
{
    const QRect common = a.intersected(b);
    return common.width() >= 2 && common.height() >= 2;
}

bool OffScreen(const QRect& r)
{
    return r.left() < 0 || r.top() < 0 || r.left() + r.width() > R8_SCREEN_WIDTH
           || r.top() + r.height() > R8_SCREEN_HEIGHT;
}

QString Describe(const Item& item)
{
    const QString name = R8element::TypeName(item.type);
    const QString where = QStringLiteral("%1, %2").arg(item.rect.x()).arg(item.rect.y());
    if (item.needsField && !item.fieldName.isEmpty())
        return Tr("%1 \"%2\" at %3").arg(name, item.fieldName, where);
    return Tr("%1 at %2").arg(name, where);
}

} // namespace

QVector<Item> ItemsOf(const QList<R8element*>& elements)
{
    QVector<Item> items;
    for (int i = 0; i < elements.size(); ++i) {
        const R8element* el = elements.at(i);
        if (!el || el->OnPages() == 0)
            continue;
        Item item;
        item.index = i;
        item.type = el->GetType();
        item.field = el->GetField();
        item.fieldName = el->GetFieldName();
        item.rect = QRect(el->GetPosition(), el->GetSize());
        item.pages = el->OnPages();
        item.needsField = el->GetHasProps() & R8_PROP_FIELD;
        items.append(item);
    }
    return items;
}

QVector<Problem> Check(const QVector<Item>& items, const QVector<PageProps>& pages, const FieldOffered& offered)
{
    QVector<Problem> problems;
    auto add = [&problems](Kind kind, int page, QList<int> elements, const QString& text) {
        problems.append(Problem{kind, page, std::move(elements), text});
    };
    for (int page = 0; page < R8_PAGE_COUNT; ++page) {
        const quint32 bit = 1u << page;
        const PageProps props = page < pages.size() ? pages.at(page) : PageProps();
        QVector<const Item*> shown;
        for (const Item& item : items)
            if (item.pages & bit)
                shown.append(&item);

        if (shown.isEmpty() && !props.Disabled)
            add(Kind::EmptyPage, page, {}, Tr("the page is enabled but has no elements"));
        if (props.Disabled && props.Trigger != 0)
            add(Kind::DisabledTrigger, page, {}, Tr("the page is disabled, so its triggers can never show it"));
        for (int a = 0; a < shown.size(); ++a)
            for (int b = a + 1; b < shown.size(); ++b)
                if (Overlaps(shown[a]->rect, shown[b]->rect))
                    add(Kind::Overlap, page, {shown[a]->index, shown[b]->index},
                        Tr("%1 overlaps %2").arg(Describe(*shown[a]), Describe(*shown[b])));
        for (const Item* item : qAsConst(shown)) {
            if (OffScreen(item->rect))
                add(Kind::OffScreen, page, {item->index}, Tr("%1 is partly off the screen").arg(Describe(*item)));
            if (item->needsField && item->field <= 0)
                add(Kind::NoField, page, {item->index}, Tr("%1 has no data field").arg(Describe(*item)));
            else if (item->field > 0 && offered && !offered(item->field))
                add(Kind::FieldNotOffered, page, {item->index},
                    Tr("%1 shows field %2, which the chosen instrument model does not offer")
                        .arg(Describe(*item))
                        .arg(item->field));
        }
    }
    std::stable_sort(problems.begin(), problems.end(), [](const Problem& x, const Problem& y) {
        if (x.page != y.page)
            return x.page < y.page;
        return int(x.kind) < int(y.kind);
    });
    return problems;
}

QVector<Problem> CheckWithCatalogue(const QList<R8element*>& elements, const QVector<PageProps>& pages)
{
    FieldOffered offered;
    if (g_DataFields.count() > 0)
        offered = [](int field) { return g_DataFields.GetDataField(field) != nullptr; };
    return Check(ItemsOf(elements), pages, offered);
}

QStringList Report(const QVector<Problem>& problems)
{
    QStringList lines;
    for (const Problem& p : problems)
        lines.append(Tr("page %1: %2").arg(p.page).arg(p.text));
    return lines;
}

} // namespace LayoutCheck
