#pragma once

// The recognition corpus (tests/ocr-corpus): screens rendered by real programs, each NAME.png
// with its true text in NAME.txt, and the score of a reading against that text.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace RecognitionCorpus {

struct Picture {
    QString name;
    QImage pixels;
    QString truth;
};

inline QString folder(const QString& sourceDir)
{
    return sourceDir + QStringLiteral("/tests/ocr-corpus");
}

inline Picture load(const QString& sourceDir, const QString& name)
{
    Picture picture { name, QImage(folder(sourceDir) + QLatin1Char('/') + name + QStringLiteral(".png")), {} };
    QFile truth(folder(sourceDir) + QLatin1Char('/') + name + QStringLiteral(".txt"));
    if (truth.open(QIODevice::ReadOnly))
        picture.truth = QString::fromUtf8(truth.readAll());
    return picture;
}

inline QStringList names(const QString& sourceDir)
{
    QStringList names;
    for (const QString& file : QDir(folder(sourceDir)).entryList({ QStringLiteral("*.png") }, QDir::Files, QDir::Name))
        names.append(file.chopped(4));
    return names;
}

// Words as a reader compares them: punctuation at either end does not count, so "total." and
// "total" are the same word, while "v1.2" keeps its inner dot.
inline QStringList wordsOf(const QString& text)
{
    static const QRegularExpression edges(QStringLiteral("^[^\\w/~%@#$+=<>\\-]+|[^\\w/~%@#$+=<>\\-]+$"));
    QStringList words;
    for (QString word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        word.remove(edges);
        if (!word.isEmpty())
            words.append(word);
    }
    return words;
}

// Share of the true words found in the reading in their order: the longest common
// subsequence of the two word lists over the number of true words.
inline double score(const QString& truth, const QString& reading)
{
    const QStringList expected = wordsOf(truth);
    const QStringList read = wordsOf(reading);
    if (expected.isEmpty())
        return 1.0;
    std::vector<int> previous(size_t(read.size()) + 1, 0);
    std::vector<int> current(previous.size(), 0);
    for (const QString& word : expected) {
        for (qsizetype index = 0; index < read.size(); ++index)
            current[size_t(index) + 1] = word == read[index]
                ? previous[size_t(index)] + 1
                : std::max(previous[size_t(index) + 1], current[size_t(index)]);
        std::swap(previous, current);
    }
    return double(previous.back()) / double(expected.size());
}

} // namespace RecognitionCorpus
