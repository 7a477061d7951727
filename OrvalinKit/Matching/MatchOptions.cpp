#include "MatchOptions.h"

#include "CodingError.h"
#include "JsonText.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <array>

namespace {

using Field = bool MatchOptions::*;

struct NamedField
{
    const char16_t* key;
    Field field;
    // Absent from records written before the field existed.
    bool optional = false;
};

constexpr std::array<NamedField, 7> fields { {
    { u"ignoreEditSuffixes", &MatchOptions::ignoreEditSuffixes },
    { u"canonPrefixes", &MatchOptions::canonPrefixes },
    { u"matchAcrossFolders", &MatchOptions::matchAcrossFolders },
    { u"matchCaptureTime", &MatchOptions::matchCaptureTime },
    { u"onlyMixedFolders", &MatchOptions::onlyMixedFolders },
    { u"trimHEIC", &MatchOptions::trimHEIC },
    { u"knownToolNames", &MatchOptions::knownToolNames, true },
} };

} // namespace

QByteArray MatchOptions::toJson() const
{
    JsonText::OrderedObject object;
    for (const NamedField& named : fields)
        object.append({ QString::fromUtf16(named.key), this->*named.field });
    return JsonText::compact(object);
}

MatchOptions MatchOptions::fromJson(const QByteArray& json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        throw CodingError(QStringLiteral("The match options are not a JSON object."));
    const QJsonObject object = document.object();
    MatchOptions options;
    for (const NamedField& named : fields) {
        const QJsonValue value = object.value(QStringView(named.key));
        if (named.optional && value.isUndefined())
            continue;
        if (!value.isBool())
            throw CodingError(
                QStringLiteral("The match options lack “%1”.").arg(QString::fromUtf16(named.key)));
        options.*named.field = value.toBool();
    }
    return options;
}
