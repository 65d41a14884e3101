#pragma once

#include <QGuiApplication>

#include <memory>

// Fonts and painting need a QGuiApplication; the benchmark's own main does not make one.
inline void ensureApplication()
{
    static std::unique_ptr<QGuiApplication> app;
    if (!app) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "orinote-bench";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
}
