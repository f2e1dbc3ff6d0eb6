#include "testsupport.h"
#include "r8resources.h"

#include <QCoreApplication>
#include <QStandardPaths>

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

} // namespace TestEnv
