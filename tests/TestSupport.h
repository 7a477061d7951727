#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <ostream>

// A temporary folder that files can be written into by relative path.
class TempFolder
{
public:
    TempFolder();

    // Absolute path, without a trailing "/".
    QString path() const;
    // Absolute path of a relative one.
    QString at(const QString& relativePath) const;
    // Writes a file, creating its folders; returns its absolute path.
    QString write(const QString& relativePath, const QByteArray& content = {});
    // Creates a folder and its parents; returns its absolute path.
    QString makeFolder(const QString& relativePath);

private:
    QTemporaryDir m_dir;
};

QByteArray readFile(const QString& path);

// The real camera files in tests/data/cameras; throws "corpus missing" for a file that is not
// there, which fails the test at that point.
QString corpusFile(const QString& name);

// Lets test failures show texts as text rather than as arrays of UTF-16 units.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
