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
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>

namespace {

// Runs before QTEST_MAIN's main(): no test may see a user's settings or
// files, and a test started by hand needs no display. Each test program gets
// a home of its own, so test programs running side by side (ctest -j) or one
// after another never see each other's settings (a remembered airspace
// filter hid rows from another test).
struct TestModeOn {
    QTemporaryDir home;
    TestModeOn()
    {
        if (home.isValid())
            qputenv("HOME", QFile::encodeName(home.path()));
        QStandardPaths::setTestModeEnabled(true);
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
} testModeOn;

void InitTestApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Zarvin"));
    QCoreApplication::setApplicationName(QStringLiteral("R8designer"));
    InitR8Resources();
}
Q_COREAPP_STARTUP_FUNCTION(InitTestApplication)

// CTest sets these; a test started by hand (./build/test_<name>) finds the
// same things beside its executable or in the source tree it was built from.
QString Env(const char* name, const QString& fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

QString BesideExecutable(const QString& relative)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + relative;
}

} // namespace

namespace TestEnv {

QString TestData(const QString& relative)
{
    const QString dir = Env("R8_TEST_DATA", SourceDir() + QLatin1String("/tests/data"));
    return relative.isEmpty() ? dir : dir + QLatin1Char('/') + relative;
}

QString OpenAirDir()
{
    return Env("R8_OPENAIR_DIR", SourceDir() + QLatin1String("/../shared/data/openair"));
}
QString IgcDir()
{
    return Env("R8_IGC_DIR", SourceDir() + QLatin1String("/../shared/data/igc"));
}
QString BundleDir()
{
    return Env("R8_BUNDLE_DIR", BesideExecutable(QStringLiteral("R8designer.app/Contents/MacOS")));
}
QString SourceDir()
{
    return Env("R8_SOURCE_DIR", QStringLiteral(R8_TEST_SOURCE_DIR));
}

QString ToolPath(const char* envName)
{
    return Env(envName, BesideExecutable(QString::fromLatin1(envName).toLower()));
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

QByteArray TestEnv::ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TestEnv::WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

int TestEnv::StartLocalServer(QProcess& server, const std::function<QStringList(int iPort)>& arguments)
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
    server.setStandardErrorFile(QProcess::nullDevice());
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

TestEnv::ToolRun TestEnv::RunTool(const QStringList& args, const QString& extraPorts, int iTimeoutMs)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("R8_EXTRA_PORTS"), extraPorts);
    tool.setProcessEnvironment(env);
    tool.start(ToolPath("R8TOOL"), args);
    ToolRun run;
    if (!tool.waitForFinished(iTimeoutMs) || tool.exitStatus() != QProcess::NormalExit) {
        tool.kill();
        tool.waitForFinished();
        return run;
    }
    run.code = tool.exitCode();
    run.out = QString::fromUtf8(tool.readAllStandardOutput());
    run.err = QString::fromUtf8(tool.readAllStandardError());
    return run;
}

bool TestEnv::HttpServer::Start(const QString& folder)
{
    m_iPort = StartLocalServer(m_Process, [&folder](int iPort) {
        return QStringList{QStringLiteral("-m"),
                           QStringLiteral("http.server"),
                           QString::number(iPort),
                           QStringLiteral("--bind"),
                           QStringLiteral("127.0.0.1"),
                           QStringLiteral("--directory"),
                           folder};
    });
    return m_iPort != 0;
}

QString TestEnv::HttpServer::Url(const QString& name) const
{
    return QStringLiteral("http://127.0.0.1:%1/%2").arg(m_iPort).arg(name);
}

TestEnv::HttpServer::~HttpServer()
{
    m_Process.terminate();
    if (!m_Process.waitForFinished(3000))
        m_Process.kill();
}
