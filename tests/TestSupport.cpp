#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <pwd.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

TempFolder::TempFolder()
{
    if (!m_dir.isValid())
        ADD_FAILURE() << "cannot create a temporary folder";
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(QFile::encodeName(path()).toStdString(), ignored);
}

QString TempFolder::write(const QString& relativePath, const QByteArray& content)
{
    writeFile(at(relativePath), content);
    return at(relativePath);
}

QString TempFolder::makeFolder(const QString& relativePath)
{
    QDir().mkpath(at(relativePath));
    return at(relativePath);
}

UnreadableFolders::UnreadableFolders(const QString& root, const QStringList& relativePaths)
    : m_group(::getegid())
{
    // The root stays open to whoever scans it.
    ::chmod(QFile::encodeName(root).constData(), 0755);
    for (const QString& path : relativePaths) {
        m_folders << root + u'/' + path;
        ::chmod(QFile::encodeName(m_folders.last()).constData(), 0);
    }
    if (::geteuid() == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        m_asNobody = nobody && ::setegid(nobody->pw_gid) == 0 && ::seteuid(nobody->pw_uid) == 0;
        if (!m_asNobody)
            m_whyNot = QStringLiteral("root reads every folder, and cannot run as “nobody” here");
    }
    if (m_whyNot.isEmpty()
        && ::faccessat(AT_FDCWD, QFile::encodeName(root).constData(), X_OK, AT_EACCESS) != 0)
        m_whyNot = QStringLiteral("%1 cannot be reached without root").arg(root);
}

UnreadableFolders::~UnreadableFolders()
{
    if (m_asNobody && ::seteuid(0) != 0)
        ADD_FAILURE() << "cannot return to root";
    ::setegid(m_group);
    for (const QString& folder : std::as_const(m_folders))
        ::chmod(QFile::encodeName(folder).constData(), 0755);
}

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
}

QByteArray readFile(const QString& path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

QString corpusFile(const QString& name)
{
    const QString path = QStringLiteral(ORVALIN_CORPUS_DIR) + u'/' + name;
    // Thrown rather than returned: a test that went on with an empty file would report wrong
    // stamps or sizes, which read like faults of the code.
    if (!QFileInfo::exists(path))
        throw std::runtime_error("corpus missing: " + path.toStdString());
    return path;
}
