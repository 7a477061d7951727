#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <stdexcept>

TempFolder::TempFolder()
{
    m_dir.setAutoRemove(true);
    if (!m_dir.isValid())
        ADD_FAILURE() << "cannot create a temporary folder";
}

QString TempFolder::path() const
{
    return m_dir.path();
}

QString TempFolder::at(const QString& relativePath) const
{
    return m_dir.path() + u'/' + relativePath;
}

QString TempFolder::write(const QString& relativePath, const QByteArray& content)
{
    const QString file = at(relativePath);
    QDir().mkpath(QFileInfo(file).path());
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size())
        ADD_FAILURE() << "cannot write " << file.toStdString();
    return file;
}

QString TempFolder::makeFolder(const QString& relativePath)
{
    const QString folder = at(relativePath);
    QDir().mkpath(folder);
    return folder;
}

QByteArray readFile(const QString& path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return in.readAll();
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
