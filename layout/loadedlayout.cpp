#include "loadedlayout.h"
#include "layoutfile.h"
#include "r8element.h"

#include <QCoreApplication>

LoadedLayout::LoadedLayout(float fZoom)
    : m_fZoom(fZoom)
    , m_Pages(R8_PAGE_COUNT)
{
}

LoadedLayout::~LoadedLayout()
{
    Clear();
}

void LoadedLayout::Clear()
{
    qDeleteAll(m_Elements);
    m_Elements.clear();
    m_Pages = QVector<PageProps>(R8_PAGE_COUNT);
}

R8element* LoadedLayout::Add(int iType)
{
    auto* el = new R8element(nullptr, iType, 1);
    el->SetZoom(m_fZoom);
    el->SetScreenElementIndex(m_Elements.size());
    m_Elements.append(el);
    return el;
}

bool LoadedLayout::Load(const QString& path, QString* message)
{
    Clear();
    return LayoutFile::Load(
        path, m_Pages, [this](int iType) { return Add(iType); }, message);
}

bool LoadedLayout::LoadData(const QByteArray& data, QString* message)
{
    Clear();
    LayoutFile::Content content;
    LayoutFile::ParseError error;
    if (!LayoutFile::Parse(data, &content, &error)) {
        if (message)
            *message = QCoreApplication::translate("LayoutFile", "Not a layout (line %1: %2).")
                           .arg(error.line)
                           .arg(error.message);
        return false;
    }
    LayoutFile::Apply(content, m_Pages, [this](int iType) { return Add(iType); });
    return true;
}
