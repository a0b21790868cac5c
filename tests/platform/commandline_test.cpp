// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/commandline.h"

#include <QTest>

using platform::CommandLine;
using Action = platform::CommandLine::Action;

Q_DECLARE_METATYPE(Action)

namespace {

const QString Usage = QStringLiteral("Usage: quenmora [--app-folder FOLDER] [--help] [--version]");

} // namespace

class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void readsTheArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("appFolder");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("qtArguments");

        const QString none;
        const QStringList noQt;
        QTest::newRow("nothing") << QStringList() << Action::Run << none << none << noQt;
        QTest::newRow("version") << QStringList {"--version"} << Action::ShowVersion << none << none << noQt;
        QTest::newRow("-h") << QStringList {"-h"} << Action::ShowHelp << none << none << noQt;
        QTest::newRow("help wins over version")
            << QStringList {"--version", "--help"} << Action::ShowHelp << none << none << noQt;
        QTest::newRow("folder") << QStringList {"--app-folder", "/media/me/STICK/Q", "--version"} << Action::ShowVersion
                                << "/media/me/STICK/Q" << none << noQt;
        QTest::newRow("folder joined") << QStringList {"--app-folder=--version"} << Action::Run << "--version" << none
                                       << noQt;
        QTest::newRow("folder missing") << QStringList {"--app-folder"} << Action::Refuse << none
                                        << "--app-folder needs a folder" << noQt;
        QTest::newRow("folder twice") << QStringList {"--app-folder", "a", "--app-folder=b"} << Action::Refuse << none
                                      << "--app-folder is given more than once" << noQt;
        QTest::newRow("unknown option after help")
            << QStringList {"--help", "-v"} << Action::Refuse << none << "unknown option '-v'" << noQt;
        QTest::newRow("no option") << QStringList {"songs.txt"} << Action::Refuse << none
                                   << "unexpected argument 'songs.txt'" << noQt;
        QTest::newRow("Qt's options handed on")
            << QStringList {"-platform", "offscreen", "-reverse", "--style", "fusion", "-stylesheet=a.qss",
                   "--app-folder", "Q"}
            << Action::Run << "Q" << none
            << QStringList {"-platform", "offscreen", "-reverse", "--style", "fusion", "-stylesheet=a.qss"};
        QTest::newRow("a Qt option's value is no option of ours") << QStringList {"-session",
            "--version"} << Action::Run << none << none << QStringList {"-session", "--version"};
        QTest::newRow("a Qt option without its value")
            << QStringList {"-platform"} << Action::Refuse << none << "-platform needs a value" << noQt;
        QTest::newRow("a Qt flag given a value")
            << QStringList {"-reverse=yes"} << Action::Refuse << none << "unknown option '-reverse=yes'" << noQt;
    }

    void readsTheArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(QString, appFolder);
        QFETCH(QString, error);
        QFETCH(QStringList, qtArguments);

        const CommandLine line = platform::parseCommandLine(arguments);

        QCOMPARE(line.action, action);
        QCOMPARE(line.error, error);
        if (action != Action::Refuse) {
            QCOMPARE(line.appFolder, appFolder);
            QCOMPARE(line.qtArguments, qtArguments);
        }
    }

    // The help fits a terminal, starts with the usage and names every option.
    void helpDescribesEveryOption()
    {
        const QString help = platform::commandLineHelp();
        const QStringList lines = help.split(QLatin1Char('\n'));
        QCOMPARE(lines.first(), Usage);
        QVERIFY(help.endsWith(QLatin1Char('\n')));
        for (const QString &line : lines)
            QVERIFY2(line.size() < 80, qPrintable(line));
        for (const char *option : {"--app-folder FOLDER", "-h, --help", "--version", "-platform"})
            QVERIFY2(help.contains(QLatin1String(option)), option);
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "commandline_test.moc"
