// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Runs the test class on the offscreen platform with one screen of that size
// (in window units) and pixel ratio.
template <class Test>
int execOnScreen(int argc, char *argv[], int width, int height, int pixelRatio)
{
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(QStringLiteral(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": %1, "height": %2, "dpr": %3}]})")
                   .arg(width)
                   .arg(height)
                   .arg(pixelRatio)
                   .toUtf8());
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toUtf8());
    QApplication app(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}
