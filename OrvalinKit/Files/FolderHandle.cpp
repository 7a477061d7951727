#include "FolderHandle.h"

#include "OperationError.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

FolderHandle::FolderHandle(int descriptor, QString path)
    : m_descriptor(descriptor)
    , m_path(std::move(path))
{
}

FolderHandle::FolderHandle(FolderHandle&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1))
    , m_path(std::move(other.m_path))
{
}

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept
{
    if (this != &other) {
        close();
        m_descriptor = std::exchange(other.m_descriptor, -1);
        m_path = std::move(other.m_path);
    }
    return *this;
}

FolderHandle::~FolderHandle()
{
    close();
}

QString FolderHandle::pathOf(const QString& name) const
{
    return m_path.endsWith(u'/') ? m_path + name : m_path + u'/' + name;
}

FolderHandle FolderHandle::duplicate() const
{
    const int copy = ::fcntl(m_descriptor, F_DUPFD_CLOEXEC, 0);
    if (copy < 0)
        throw OperationError(
            QCoreApplication::translate("LocalFileManager", "Couldn’t open the folder “%1”: %2.")
                .arg(m_path, QString::fromLocal8Bit(std::strerror(errno))));
    return FolderHandle(copy, m_path);
}

void FolderHandle::close()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
}
