#include "Recents.h"

#include "CodingError.h"
#include "JsonText.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>

namespace {

const QString key = QStringLiteral("recentFolders");

// Without sandbox scopes, the path itself is all that is needed to find the folder again.
QByteArray bookmark(const QString& folder)
{
    return folder.toUtf8();
}

QString folderOf(const QByteArray& bookmark)
{
    return QString::fromUtf8(bookmark);
}

QString requiredString(const QJsonObject& object, const QString& name)
{
    const QJsonValue value = object.value(name);
    if (!value.isString())
        throw CodingError(QStringLiteral("A recent folder lacks “%1”.").arg(name));
    return value.toString();
}

} // namespace

namespace Recents {

QByteArray encoded(const QList<Item>& items)
{
    QByteArray out("[");
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += ',';
        const Item& item = items.at(i);
        out += JsonText::compact(JsonText::OrderedObject {
            { QStringLiteral("name"), item.name },
            { QStringLiteral("path"), item.path },
            { QStringLiteral("bookmark"), QString::fromLatin1(item.bookmark.toBase64()) },
        });
    }
    out += ']';
    return out;
}

QList<Item> decoded(const QByteArray& json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isArray())
        throw CodingError(QStringLiteral("The recent folders are not a JSON array."));
    QList<Item> items;
    for (const QJsonValue& value : document.array()) {
        if (!value.isObject())
            throw CodingError(QStringLiteral("A recent folder is not a JSON object."));
        const QJsonObject object = value.toObject();
        const auto bookmark = QByteArray::fromBase64Encoding(
            requiredString(object, QStringLiteral("bookmark")).toLatin1(),
            QByteArray::AbortOnBase64DecodingErrors);
        if (!bookmark)
            throw CodingError(QStringLiteral("A recent folder’s bookmark is not Base64."));
        items.append({ requiredString(object, QStringLiteral("name")),
            requiredString(object, QStringLiteral("path")), *bookmark });
    }
    return items;
}

QList<Item> load()
{
    const QVariant stored = QSettings().value(key);
    if (!stored.isValid())
        return {};
    try {
        return decoded(stored.toByteArray());
    } catch (const CodingError&) {
        return {};
    }
}

void save(const QList<Item>& items)
{
    QSettings().setValue(key, encoded(items.first(std::min(items.size(), limit))));
}

void add(const QString& folder)
{
    if (folder.isEmpty())
        return;
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (path.isEmpty())
        return;
    QList<Item> items = load();
    items.removeIf([&](const Item& item) { return item.path == path; });
    items.prepend({ QFileInfo(path).fileName(), path, bookmark(path) });
    save(items);
}

void remove(const Item& item)
{
    QList<Item> items = load();
    items.removeAll(item);
    save(items);
}

std::optional<QString> resolve(const Item& item)
{
    // A path never goes stale the way a bookmark does; it just stops leading anywhere.
    const QString folder = folderOf(item.bookmark);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return std::nullopt;
    return folder;
}

} // namespace Recents
