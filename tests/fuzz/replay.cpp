// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds every file of the corpus to its reader, without a fuzzing engine:
// corpus/<target>/ holds the seeds and every input that once broke the
// reader. A reader that crashes, hangs or aborts fails the test.
#include "targets.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_replay CORPUS-FOLDER\n");
        return 2;
    }
    const QDir corpus(QString::fromLocal8Bit(argv[1]));
    int files = 0;
    int targets = 0;
    for (const QString &name : corpus.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const fuzz::Target target = fuzz::byName(name);
        if (!target) {
            std::fprintf(stderr, "no reader for the corpus folder %s\n", qPrintable(name));
            return 1;
        }
        ++targets;
        QDirIterator it(corpus.filePath(name), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (!f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(f.fileName()));
                return 1;
            }
            const QByteArray bytes = f.readAll();
            target(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
            ++files;
        }
    }
    std::printf("%d files of %d readers read\n", files, targets);
    return targets > 0 && files > 0 ? 0 : 1;
}
