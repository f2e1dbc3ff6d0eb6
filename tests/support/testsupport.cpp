#include "testsupport.h"
#include "appglobals.h"
#include "datafields.h"
#include "r8resources.h"

#include <QSqlDatabase>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

namespace {

// Runs before QTEST_MAIN's main(): no test may see a user's settings or files.
struct TestModeOn {
    TestModeOn() { QStandardPaths::setTestModeEnabled(true); }
} testModeOn;

void InitTestApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Zarvin"));
    QCoreApplication::setApplicationName(QStringLiteral("R8designer"));
    InitR8Resources();
}
Q_COREAPP_STARTUP_FUNCTION(InitTestApplication)

QString Env(const char* name)
{
    return QString::fromLocal8Bit(qgetenv(name));
}

} // namespace

namespace TestEnv {

QString TestData(const QString& relative)
{
    const QString dir = Env("R8_TEST_DATA");
    return relative.isEmpty() ? dir : dir + QLatin1Char('/') + relative;
}

QString OpenAirDir() { return Env("R8_OPENAIR_DIR"); }
QString BundleDir() { return Env("R8_BUNDLE_DIR"); }
QString SourceDir() { return Env("R8_SOURCE_DIR"); }
QString ToolPath(const char* envName) { return Env(envName); }

int LoadCatalogue(int iLangID, int iModel)
{
    static const QString connection = QStringLiteral("r8test-catalogue");
    static QSqlDatabase* db = nullptr;
    if (!db) {
        db = new QSqlDatabase(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection));
        db->setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    }
    strDbName = BundleDir() + QLatin1String("/R8strings.sqlite");
    db->setDatabaseName(strDbName);
    g_pDB = db;
    g_iLangID = iLangID;
    g_iTargetModel = iModel;
    g_DataFields.LoadFromDB(g_pDB);
    return g_DataFields.count();
}

void SendAnywayOnNextPrompt()
{
    OnNextModal([](QWidget* modal) {
        for (QAbstractButton* button : modal->findChildren<QAbstractButton*>())
            if (button->text() == QLatin1String("Send &anyway"))
                button->click();
    });
}

} // namespace TestEnv

void TestEnv::OnNextModal(const std::function<void(QWidget*)>& check)
{
    constexpr int kModalWaitMs = 5000;
    auto* timer = new QTimer;
    auto* waited = new QElapsedTimer;
    waited->start();
    QObject::connect(timer, &QTimer::timeout, [timer, waited, check]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && waited->elapsed() < kModalWaitMs)
            return;
        timer->stop();
        timer->deleteLater();
        delete waited;
        if (modal)
            check(modal);
    });
    timer->start(10);
}
