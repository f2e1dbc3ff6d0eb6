// Saving and loading a layout of 2,000 elements over sixteen pages in the
// running main window, repaints included. Targets: save under 50 ms, load
// under 100 ms.
#include "appglobals.h"
#include "datafields.h"
#include "mainwindow.h"
#include "r8element.h"
#include "r8resources.h"

#include <QApplication>
#include <QSettings>
#include <QSqlDatabase>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class BenchDocument : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    QSettings* settings = nullptr;
    MainWindow* w = nullptr;
    QTemporaryDir dir;
    QString path;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        InitR8Resources();
        settings = new QSettings(QStringLiteral("Zarvin"), QStringLiteral("R8designer-bench"));
        settings->setValue(QStringLiteral("CatalogueUrl"), QString());
        theSettings = settings;
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.setDatabaseName(QCoreApplication::applicationDirPath()
                           + QLatin1String("/R8designer.app/Contents/MacOS/R8strings.sqlite"));
        g_pDB = &db;
        g_DataFields.LoadFromDB(g_pDB);
        QVERIFY(g_DataFields.count() > 0);

        w = new MainWindow;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        for (int i = 0; i < 2000; ++i) {
            R8element* el = w->Elements().at(w->AddElement(R8ElementTypes[i % 14]));
            el->RestorePages(1u << (i % 16));
            el->RestorePosition(QPoint((i * 7) % 200, (i * 13) % 280));
            el->RestoreField(g_DataFields.at(i % g_DataFields.count())->BaseId);
        }
        path = dir.filePath(QStringLiteral("big.zvl"));
    }

    void save()
    {
        QBENCHMARK {
            QVERIFY(w->Save(path));
        }
    }

    void load()
    {
        QVERIFY(w->Save(path));
        QBENCHMARK {
            w->loadFile(path);
            QCoreApplication::processEvents(); // the repaints the load asks for
        }
        QCOMPARE(w->Elements().size(), 2000);
    }

    void cleanupTestCase()
    {
        delete w;
        theSettings = nullptr;
        delete settings;
    }
};

QTEST_MAIN(BenchDocument)
#include "bench_document.moc"
