#include "storage/AtomicFileWriter.h"

#include "domain/FileSystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <future>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct stat statusOf(const QString& path)
{
    struct stat status { };
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &status), 0) << path.toStdString();
    return status;
}

// Reads a FIFO to its end on another thread, as the program on the other side of a pipe would.
std::future<QByteArray> readToEnd(const QString& fifoPath)
{
    return std::async(std::launch::async, [path = QFile::encodeName(fifoPath)] {
        const int descriptor = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        QByteArray received;
        char buffer[4096];
        for (ssize_t count; descriptor >= 0 && (count = ::read(descriptor, buffer, sizeof buffer)) > 0;)
            received.append(buffer, count);
        if (descriptor >= 0)
            ::close(descriptor);
        return received;
    });
}

} // namespace

TEST(AtomicFileWriter, ReplacesWholeFilesLeavingNoTemporariesKeepsOrSetsPermissionsAndThrowsWhereItCannotWrite)
{
    QTemporaryDir root;
    const QString path = root.filePath(QStringLiteral("picture.png"));
    AtomicFileWriter::write(path, QByteArray(1000, 'a'));
    const ino_t firstInode = statusOf(path).st_ino;
    AtomicFileWriter::write(path, QByteArray("short"));
    EXPECT_EQ(contents(path), QByteArray("short"));
    EXPECT_NE(statusOf(path).st_ino, firstInode); // renamed over, never rewritten in place
    EXPECT_EQ(QDir(root.path()).entryList(QDir::Files | QDir::Hidden), QStringList { QStringLiteral("picture.png") });

    EXPECT_THROW(
        AtomicFileWriter::write(root.filePath(QStringLiteral("missing-folder/picture.png")), "x"), FileSystemError);

    // A folder in the file's place: nothing may be written over it.
    const QString folderPath = root.filePath(QStringLiteral("taken"));
    ASSERT_TRUE(QDir().mkpath(folderPath));
    EXPECT_THROW(AtomicFileWriter::write(folderPath, QByteArray("x")), FileSystemError);
    EXPECT_TRUE(QFileInfo(folderPath).isDir());

    // Private permissions apply to new and replaced files.
    const QString settingsPath = root.filePath(QStringLiteral("settings.json"));
    const AtomicFileWriter::Options privateFile { QFileDevice::ReadOwner | QFileDevice::WriteOwner };
    AtomicFileWriter::write(settingsPath, "new", privateFile);
    EXPECT_EQ(statusOf(settingsPath).st_mode & 07777, 0600u);

    ASSERT_TRUE(QFile::setPermissions(settingsPath,
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    AtomicFileWriter::write(settingsPath, "replaced", privateFile);
    EXPECT_EQ(statusOf(settingsPath).st_mode & 07777, 0600u);

    // Without the option the file keeps the permissions it had.
    ASSERT_TRUE(
        QFile::setPermissions(settingsPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
    AtomicFileWriter::write(settingsPath, "kept");
    EXPECT_EQ(statusOf(settingsPath).st_mode & 07777, 0640u);
}

// Replacing /dev/null with a regular file breaks every later program on the machine.
TEST(AtomicFileWriter, DevicesAndPipesAreWrittenThroughNeverReplaced)
{
    const struct stat nullBefore = statusOf(QStringLiteral("/dev/null"));
    ASSERT_TRUE(S_ISCHR(nullBefore.st_mode));
    AtomicFileWriter::write(QStringLiteral("/dev/null"), QByteArray(100000, 'p'));
    const struct stat nullAfter = statusOf(QStringLiteral("/dev/null"));
    EXPECT_TRUE(S_ISCHR(nullAfter.st_mode));
    EXPECT_EQ(nullAfter.st_ino, nullBefore.st_ino);
    EXPECT_EQ(nullAfter.st_rdev, nullBefore.st_rdev);

    QTemporaryDir root;
    const QString fifo = root.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Larger than a pipe's buffer, so the writer must keep going while the reader drains.
    QByteArray bytes(300000, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    std::future<QByteArray> received = readToEnd(fifo);
    AtomicFileWriter::write(fifo, bytes);
    EXPECT_EQ(received.get(), bytes);
    EXPECT_TRUE(S_ISFIFO(statusOf(fifo).st_mode));
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | QDir::Hidden),
        QStringList { QStringLiteral("pipe.png") });
}

TEST(AtomicFileWriter, SymbolicLinksKeepPointingWhereTheyPointedAndLoopsAndSocketsAreRefused)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("real")));
    const QString target = root.filePath(QStringLiteral("real/settings.json"));
    const QString link = root.filePath(QStringLiteral("settings.json"));
    const QString danglingLink = root.filePath(QStringLiteral("later.json"));
    ASSERT_EQ(::symlink("real/settings.json", QFile::encodeName(link).constData()), 0);
    ASSERT_EQ(::symlink("real/later.json", QFile::encodeName(danglingLink).constData()), 0);

    AtomicFileWriter::write(link, "first");
    AtomicFileWriter::write(link, "second");
    AtomicFileWriter::write(danglingLink, "created");
    EXPECT_TRUE(S_ISLNK(statusOf(link).st_mode));
    EXPECT_TRUE(S_ISLNK(statusOf(danglingLink).st_mode));
    EXPECT_EQ(contents(target), QByteArray("second"));
    EXPECT_EQ(contents(root.filePath(QStringLiteral("real/later.json"))), QByteArray("created"));

    const QString loop = root.filePath(QStringLiteral("loop"));
    ASSERT_EQ(::symlink("loop", QFile::encodeName(loop).constData()), 0);
    EXPECT_THROW(AtomicFileWriter::write(loop, "x"), FileSystemError);
    EXPECT_TRUE(S_ISLNK(statusOf(loop).st_mode));

    // A socket has no bytes to replace, and must not be swapped for a file either.
    const QString socketPath = root.filePath(QStringLiteral("socket"));
    const int socketDescriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(socketDescriptor, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const QByteArray encoded = QFile::encodeName(socketPath);
    ASSERT_LT(static_cast<size_t>(encoded.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, encoded.constData(), static_cast<size_t>(encoded.size()));
    ASSERT_EQ(::bind(socketDescriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    try {
        AtomicFileWriter::write(socketPath, "x");
        ADD_FAILURE() << "a socket was written";
    } catch (const FileSystemError& error) {
        EXPECT_TRUE(error.description().contains(socketPath)) << error.what();
    }
    EXPECT_TRUE(S_ISSOCK(statusOf(socketPath).st_mode));
    ::close(socketDescriptor);
}
