#pragma once

#include <QtGlobal>

// What stands at a name in a folder; a symbolic link counts as itself, never as its target.
enum class ItemKind
{
    none,
    file,
    folder,
    link,
    // A FIFO, a device, a socket.
    other,
};

// What stands at a name, with what tells one file on disk from another.
struct ItemInfo
{
    ItemKind kind = ItemKind::none;
    qint64 size = 0;
    quint64 device = 0;
    quint64 inode = 0;

    // Whether both are the same file on disk, seen under two names.
    bool isSameFileAs(const ItemInfo& other) const
    {
        return kind != ItemKind::none && kind == other.kind && device == other.device
            && inode == other.inode;
    }

    bool operator==(const ItemInfo&) const = default;
};
