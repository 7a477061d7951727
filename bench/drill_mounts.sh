#!/usr/bin/env bash
# Makes the three kinds of drive the drills run on, from loop images under DIR, or takes them
# down again. Needs root, and the packages e2fsprogs, exfatprogs, exfat-fuse and bindfs.
#
#   bench/drill_mounts.sh up DIR     prints the three mount points, one a line:
#       DIR/mnt/ext4     ext4: exclusive rename and hard links
#       DIR/mnt/bindfs   bindfs over ext4: hard links, no exclusive rename
#       DIR/mnt/exfat    exFAT through exfat-fuse: neither
#   bench/drill_mounts.sh down DIR
set -euo pipefail

command=${1:?usage: drill_mounts.sh up|down DIR}
dir=$(realpath -m "${2:?usage: drill_mounts.sh up|down DIR}")
size=${DRILL_IMAGE_SIZE:-1G}

case "$command" in
up)
    mkdir -p "$dir/mnt/ext4" "$dir/mnt/bindfs" "$dir/mnt/exfat"
    if ! mountpoint -q "$dir/mnt/ext4"; then
        truncate -s "$size" "$dir/ext4.img"
        mkfs.ext4 -q -F "$dir/ext4.img"
        mount -o loop "$dir/ext4.img" "$dir/mnt/ext4"
    fi
    if ! mountpoint -q "$dir/mnt/bindfs"; then
        mkdir -p "$dir/mnt/ext4/under-bindfs"
        bindfs "$dir/mnt/ext4/under-bindfs" "$dir/mnt/bindfs"
    fi
    if ! mountpoint -q "$dir/mnt/exfat"; then
        truncate -s "$size" "$dir/exfat.img"
        mkfs.exfat "$dir/exfat.img" >/dev/null
        loop=$(losetup -f --show "$dir/exfat.img")
        mount.exfat-fuse "$loop" "$dir/mnt/exfat"
    fi
    printf '%s\n' "$dir/mnt/ext4" "$dir/mnt/bindfs" "$dir/mnt/exfat"
    ;;
down)
    for mount in exfat bindfs ext4; do
        if mountpoint -q "$dir/mnt/$mount"; then
            umount "$dir/mnt/$mount"
        fi
    done
    for image in "$dir/exfat.img" "$dir/ext4.img"; do
        losetup -j "$image" | cut -d: -f1 | while read -r loop; do losetup -d "$loop"; done
    done
    rm -f "$dir/exfat.img" "$dir/ext4.img"
    ;;
*)
    echo "usage: drill_mounts.sh up|down DIR" >&2
    exit 2
    ;;
esac
