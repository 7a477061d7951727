#pragma once

#include "FileTable.h"

#include <vector>

// Attaches each sidecar to the photo it was written for, within the sidecar's folder: the photo
// of its exact name (IMG_1.CR3.xmp), else the best photo of its stem (IMG_1.xmp), RAW first.
namespace SidecarAttachment {

struct Followers
{
    // Per position: the first sidecar that follows a file, and the sidecar after a follower;
    // each chain in input order.
    std::vector<Position> first;
    std::vector<Position> next;
    // Sidecars that follow no file, in input order.
    std::vector<Position> orphans;

    bool operator==(const Followers&) const = default;
};

Followers attach(const FileTable& table);

} // namespace SidecarAttachment
