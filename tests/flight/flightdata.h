#pragma once
#include "igcfile.h"

#include <QDir>
#include <QtTest>

// The shared real flight logs (never copied into the project).
inline QString IgcPath(const QString& name)
{
    return QDir(qEnvironmentVariable("R8_IGC_DIR")).filePath(name);
}

inline IgcLog ReadRealLog(const QString& name)
{
    IgcLog log;
    QString error;
    if (!IgcFile::ReadFile(IgcPath(name), &log, &error))
        qWarning("%s", qPrintable(error));
    return log;
}
