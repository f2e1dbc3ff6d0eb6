#include "testsupport.h"
#include "appglobals.h"
#include "datafields.h"
#include "r8resources.h"

#include <QSqlDatabase>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
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

ToolRun RunR8Tool(const QStringList& args, int iTimeoutMs)
{
    QProcess tool;
    tool.start(ToolPath("R8TOOL"), args);
    ToolRun run;
    if (!tool.waitForFinished(iTimeoutMs) || tool.exitStatus() != QProcess::NormalExit)
        return run;
    run.code = tool.exitCode();
    run.out = tool.readAllStandardOutput();
    run.err = QString::fromUtf8(tool.readAllStandardError());
    return run;
}

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

namespace TestEnv {

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

int StartLocalServer(QProcess& server, const std::function<QStringList(int iPort)>& arguments)
{
    constexpr int kAttempts = 100;
    constexpr int kWaitMs = 100;
    int port = 0;
    {
        // A free port: bind to 0, read the number, let go.
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0))
            return 0;
        port = probe.serverPort();
    }
    server.setProgram(QStringLiteral("python3"));
    server.setArguments(arguments(port));
    server.setStandardOutputFile(QProcess::nullDevice());
    server.start();
    if (!server.waitForStarted())
        return 0;
    for (int i = 0; i < kAttempts && server.state() == QProcess::Running; ++i) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, quint16(port));
        if (socket.waitForConnected(kWaitMs))
            return port;
        QThread::msleep(kWaitMs);
    }
    return 0;
}

} // namespace TestEnv
