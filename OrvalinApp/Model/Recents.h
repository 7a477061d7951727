#pragma once

#include <QByteArray>
#include <QHashFunctions>
#include <QList>
#include <QString>
#include <optional>

// The recent folders of the start screen, kept in the settings under "recentFolders", most
// recently opened first, at most five.
namespace Recents {

struct Item
{
    // The folder's name when it was added; shown to the user.
    QString name;
    // The folder's full path when it was added.
    QString path;
    // What finds the folder again. Here that is the folder's path as UTF-8 bytes.
    QByteArray bookmark;

    const QString& id() const { return path; }
    bool operator==(const Item&) const = default;
};

inline size_t qHash(const Item& item, size_t seed = 0) noexcept
{
    return qHashMulti(seed, item.name, item.path, item.bookmark);
}

constexpr qsizetype limit = 5;

// An unreadable stored value gives an empty list and is left as it is.
QList<Item> load();
// Keeps the first `limit` items.
void save(const QList<Item>& items);
// Puts the folder first, replacing any item with the same path.
void add(const QString& folder);
// Removes only items equal to `item` in all three fields.
void remove(const Item& item);
// The folder the item's bookmark leads to, when a folder is still there.
std::optional<QString> resolve(const Item& item);

// The stored bytes: a compact JSON array of {"name","path","bookmark"} objects, the bookmark
// in Base64.
QByteArray encoded(const QList<Item>& items);
// Throws CodingError.
QList<Item> decoded(const QByteArray& json);

} // namespace Recents
