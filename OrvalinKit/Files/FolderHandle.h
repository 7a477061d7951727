#pragma once

#include <QString>

// An open folder. Everything the file manager does below a folder starts from its descriptor, so
// that a path is resolved once, when the folder is opened, and never again: a folder swapped for
// a link afterwards cannot redirect anything. Move-only; closes the descriptor when destroyed.
class FolderHandle
{
public:
    FolderHandle() = default;
    // Takes ownership of `descriptor`; `path` is the path it was opened by.
    FolderHandle(int descriptor, QString path);
    FolderHandle(FolderHandle&& other) noexcept;
    FolderHandle& operator=(FolderHandle&& other) noexcept;
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;
    ~FolderHandle();

    bool isOpen() const { return m_descriptor >= 0; }
    int descriptor() const { return m_descriptor; }
    // The path the folder was opened by, for messages and logs; never used to reach it again.
    const QString& path() const { return m_path; }
    // path()/name, for messages about an item of the folder.
    QString pathOf(const QString& name) const;
    // A second handle on the same folder, closed independently. Throws OperationError.
    FolderHandle duplicate() const;

private:
    void close();

    int m_descriptor = -1;
    QString m_path;
};
