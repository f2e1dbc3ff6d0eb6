#pragma once
#include "pageprops.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>

class R8element;

// A layout read into elements of its own, at one zoom: what the command-line
// tool checks, sends and paints, and what the designer paints its image
// export from. It is not the designer's document (no undo, no window).
class LoadedLayout
{
public:
    explicit LoadedLayout(float fZoom = 1.0f);
    ~LoadedLayout();
    LoadedLayout(const LoadedLayout&) = delete;
    LoadedLayout& operator=(const LoadedLayout&) = delete;

    // False with a message naming the file when it cannot be read or parsed.
    bool Load(const QString& path, QString* message);
    // Layout file bytes, as the designer writes them.
    bool LoadData(const QByteArray& data, QString* message);

    const QList<R8element*>& Elements() const { return m_Elements; }
    const QVector<PageProps>& Pages() const { return m_Pages; }
    float Zoom() const { return m_fZoom; }

private:
    R8element* Add(int iType);
    void Clear();

    float m_fZoom;
    QList<R8element*> m_Elements;
    QVector<PageProps> m_Pages;
};
