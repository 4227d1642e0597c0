#pragma once
#include "ByteMutator.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

#include <exception>
#include <functional>
#include <vector>

// A short, deterministic run of a fuzz entry over its seeds, the committed
// corpus and mutations of both; the libFuzzer target runs the same entry
// for as long as one likes.
struct SmokeResult {
    int runs = 0;
    QByteArray failing; // the first input the entry rejected or threw on
    QString why;
};

inline SmokeResult runFuzzSmoke(const std::function<bool(const uint8_t *, size_t)> &entry,
                                std::vector<QByteArray> seeds, const QString &corpusFolder, uint64_t seed, int mutations)
{
    const QDir corpus(qEnvironmentVariable("DYPLOM_SOURCE_DIR") + QStringLiteral("/fuzz/") + corpusFolder);
    for (const QString &name : corpus.entryList(QDir::Files)) {
        QFile f(corpus.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            seeds.push_back(f.readAll());
    }
    SmokeResult result;
    auto one = [&](const QByteArray &input) {
        ++result.runs;
        try {
            if (entry(reinterpret_cast<const uint8_t *>(input.constData()), size_t(input.size())))
                return true;
            result.why = QStringLiteral("check failed");
        } catch (const std::exception &e) {
            result.why = QString::fromUtf8(e.what());
        }
        result.failing = input;
        return false;
    };
    for (const QByteArray &s : seeds)
        if (!one(s))
            return result;
    ByteMutator m(seed);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < mutations && timer.elapsed() < 15000; ++i) {
        QByteArray input = seeds[m.below(uint32_t(seeds.size()))];
        // Now and then a mutant of a mutant, to reach further.
        for (int depth = 1 + int(m.below(3)); depth > 0; --depth)
            input = m.mutate(input);
        if (!one(input))
            return result;
    }
    return result;
}

#define VERIFY_FUZZ_SMOKE(result)                                                                                      \
    QVERIFY2((result).failing.isEmpty() && (result).why.isEmpty(),                                                     \
             qPrintable((result).why + QStringLiteral(" on input ") + QString::fromLatin1((result).failing.toHex())))
