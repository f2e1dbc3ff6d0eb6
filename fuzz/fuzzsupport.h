#pragma once
// Shared set-up for the fuzz targets: an offscreen GUI application (elements
// and tree items need one) created once, before the first input.
#include <QApplication>
#include <cstdlib>

inline void StartFuzzApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        new QApplication(argc, argv);
    }
}
