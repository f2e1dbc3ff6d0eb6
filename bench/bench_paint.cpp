// Painting one page of 60 mixed elements at zoom 2 into an image, as the
// page canvas does on every repaint (target: under 2 ms per page).
#include "r8element.h"
#include "r8resources.h"

#include <QImage>
#include <QPainter>
#include <QtTest>
#include <memory>
#include <vector>

class BenchPaint : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void paintPage();
    void paintPageSelected();
    void paintOneType_data();
    void paintOneType();

private:
    void Paint();
    std::vector<std::unique_ptr<R8element>> m_Elements;
    QImage m_Image{481, 641, QImage::Format_ARGB32_Premultiplied};
};

void BenchPaint::initTestCase()
{
    InitR8Resources();
    const float fZoom = 2.0f;
    for (int i = 0; i < 60; ++i) {
        // Value boxes dominate real layouts; every type appears.
        const int iType = i % 3 == 0 ? R8ElementTypes[(i / 3) % 14] : R8_TYPE_DATAFIELD;
        auto el = std::make_unique<R8element>(nullptr, iType, 1);
        el->SetZoom(fZoom);
        el->RestorePages(1);
        el->RestorePosition(QPoint((i * 37) % 200, (i * 53) % 300));
        el->RestoreAttribs(44u | unsigned(i % 3));
        m_Elements.push_back(std::move(el));
    }
}

void BenchPaint::Paint()
{
    m_Image.fill(Qt::white);
    QPainter painter(&m_Image);
    for (auto it = m_Elements.rbegin(); it != m_Elements.rend(); ++it)
        (*it)->PaintMe(painter, 1);
}

void BenchPaint::paintPage()
{
    QBENCHMARK {
        Paint();
    }
}

void BenchPaint::paintPageSelected()
{
    for (size_t i = 0; i < m_Elements.size(); ++i)
        m_Elements[i]->ElementSelect(i % 7 == 0 ? 2 : 1);
    QBENCHMARK {
        Paint();
    }
}

// Where the time of a page goes, type by type.
void BenchPaint::paintOneType_data()
{
    QTest::addColumn<int>("type");
    for (int iType : R8ElementTypes)
        QTest::newRow(qPrintable(QString::number(iType, 16))) << iType;
}

void BenchPaint::paintOneType()
{
    QFETCH(int, type);
    R8element el(nullptr, type, 1);
    el.SetZoom(2.0f);
    el.RestorePages(1);
    QImage image(481, 641, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    QBENCHMARK {
        el.PaintMe(painter, 1);
    }
}

QTEST_MAIN(BenchPaint)
#include "bench_paint.moc"
