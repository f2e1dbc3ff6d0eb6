// The layout reader on arbitrary bytes: parse, then build elements from
// whatever was read, as the main window's load does.
#include "fuzzsupport.h"
#include "layoutfile.h"
#include "r8element.h"

#include <algorithm>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LayoutFile::Content content;
    LayoutFile::ParseError error;
    if (!LayoutFile::Parse(QByteArray(reinterpret_cast<const char*>(data), int(size)), &content, &error))
        return 0;
    QVector<PageProps> pages(R8_PAGE_COUNT);
    for (const auto& rec : qAsConst(content.pages))
        LayoutFile::ApplyPage(rec, pages);
    QList<R8element*> elements;
    for (const auto& rec : qAsConst(content.objects)) {
        if (elements.size() >= 64)
            break;
        auto* el = new R8element(nullptr, rec.Type, 1);
        el->SetScreenElementIndex(elements.size());
        LayoutFile::ApplyObject(rec, el);
        elements.append(el);
    }
    const QByteArray written = LayoutFile::Write(elements, pages);
    LayoutFile::Content again;
    if (!LayoutFile::Parse(written, &again, &error))
        abort(); // what we write must always read back
    // The same bytes as clipboard content, and the elements as a copy: a
    // copy of known elements always pastes, one of none never does.
    QVector<LayoutFile::ObjectRecord> pasted;
    LayoutFile::ParseFragment(QByteArray(reinterpret_cast<const char*>(data), int(size)), &pasted);
    bool bKnown = false;
    for (const R8element* el : qAsConst(elements))
        bKnown |= std::find(std::begin(R8ElementTypes), std::end(R8ElementTypes), el->GetType())
                  != std::end(R8ElementTypes);
    if (LayoutFile::ParseFragment(LayoutFile::WriteFragment(elements), &pasted) != bKnown)
        abort();
    qDeleteAll(elements);
    return 0;
}
