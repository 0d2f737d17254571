// Writes one file over and over, alternating between two versions, until it is killed:
// "settings PATH" through the settings store (the versions are CrashWriterContent's),
// "export PATH FIRST SECOND" through the picture export (the versions are the two files).
// Says "writing" before and "written" after each write, so that whoever kills it knows
// whether a write was under way.
#include "CrashWriterContent.h"

#include "platform/qt/JsonDefaultsStore.h"
#include "storage/AtomicFileWriter.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <cstring>

namespace {

std::vector<DefaultsStore::Entry> settingsEntries(int version)
{
    std::vector<DefaultsStore::Entry> entries;
    const QJsonObject values = QJsonDocument::fromJson(CrashWriterContent::settingsJson(version)).object();
    for (auto value = values.begin(); value != values.end(); ++value) {
        if (value->isBool())
            entries.push_back({ value.key(), DefaultsStore::Value(value->toBool()) });
        else if (value->isDouble())
            entries.push_back({ value.key(), DefaultsStore::Value(value->toDouble()) });
        else
            entries.push_back({ value.key(), DefaultsStore::Value(value->toString()) });
    }
    return entries;
}

QByteArray contents(const char* path)
{
    QFile file(QString::fromLocal8Bit(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void say(const char* word)
{
    std::puts(word);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    const bool settings = argc == 3 && std::strcmp(argv[1], "settings") == 0;
    const bool exporting = argc == 5 && std::strcmp(argv[1], "export") == 0;
    if (!settings && !exporting) {
        std::fprintf(stderr, "usage: trovix-crash-writer settings PATH | export PATH FIRST SECOND\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[2]);
    const std::vector<DefaultsStore::Entry> entries[] = { settingsEntries(0), settingsEntries(1) };
    const QByteArray pictures[] = { exporting ? contents(argv[3]) : QByteArray(),
        exporting ? contents(argv[4]) : QByteArray() };
    for (long round = 0;; ++round) {
        const int version = static_cast<int>(round % 2);
        say("writing");
        if (settings)
            JsonDefaultsStore(path).write(entries[version]);
        else
            AtomicFileWriter::write(path, pictures[version]);
        say("written");
    }
}
