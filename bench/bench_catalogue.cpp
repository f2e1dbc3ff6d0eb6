#include "appglobals.h"
#include "datafields.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QtTest>

// Catalogue loads happen at start-up and whenever the preferences change the
// language or model; each must stay well under a frame.
class BenchCatalogue : public QObject
{
    Q_OBJECT

    QSqlDatabase m_db;

private slots:
    void initTestCase()
    {
        const QString path = QCoreApplication::applicationDirPath()
                             + QLatin1String("/R8designer.app/Contents/MacOS/R8strings.sqlite");
        QVERIFY2(QFileInfo::exists(path), qPrintable(path));
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        m_db.setDatabaseName(path);
    }
    void cleanupTestCase()
    {
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    }

    void load_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("lang");
        for (int model = 1; model <= 5; ++model)
            for (int lang = 1; lang <= 6; ++lang)
                QTest::addRow("model %d lang %d", model, lang) << model << lang;
    }
    void load()
    {
        QFETCH(int, model);
        QFETCH(int, lang);
        g_iTargetModel = model;
        g_iLangID = lang;
        DataFields fields;
        QBENCHMARK {
            fields.LoadFromDB(&m_db);
        }
        QVERIFY(fields.count() > 0);
    }

    void lookups()
    {
        g_iTargetModel = 1;
        g_iLangID = 1;
        DataFields fields;
        fields.LoadFromDB(&m_db);
        int found = 0;
        QBENCHMARK {
            for (const _DataField* f : fields.Fields())
                found += fields.GetDataField(f->BaseId) && fields.GetBaseId(f->Sequence) == f->BaseId;
        }
        QVERIFY(found > 0);
    }
};

QTEST_MAIN(BenchCatalogue)
#include "bench_catalogue.moc"
