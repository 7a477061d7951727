#pragma once

#include "FileManager.h"

#include <QCoreApplication>

// The real file system.
class LocalFileManager : public FileManager
{
    Q_DECLARE_TR_FUNCTIONS(LocalFileManager)

public:
    bool exists(const QString& path) const override;
    bool passesThroughLink(const QString& base, const QString& relativePath) const override;
    void createFolders(const QString& path) override;
    void createFolder(const QString& path) override;
    void moveWithoutReplacing(const QString& from, const QString& to) override;
    void writeAtomically(const QString& path, const QByteArray& data) override;
    QByteArray read(const QString& path) const override;
    QStringList list(const QString& folder) const override;
    void removeEmptyFolder(const QString& path) override;
};
