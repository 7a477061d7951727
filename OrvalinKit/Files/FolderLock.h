#pragma once

#include "FolderHandle.h"

// An advisory lock on a folder, shared by every process on the machine, held for as long as this
// lives. It keeps apart only those who ask for it; nothing else is stopped by it. Move-only.
class FolderLock
{
public:
    // Takes over `held`, a handle of its own on the folder whose open description holds the lock.
    explicit FolderLock(FolderHandle held)
        : m_held(std::move(held))
    {
    }

private:
    FolderHandle m_held;
};
