#include "Naming.h"

#include "FileKind.h"

#include <QRegularExpression>

#include <array>

namespace {

// The three ways people and tools mark an edited or duplicated copy, applied in this order to
// text that is already lower-cased.
const std::array<QRegularExpression, 3>& editSuffixPatterns()
{
    constexpr auto options = QRegularExpression::UseUnicodePropertiesOption;
    static const std::array<QRegularExpression, 3> patterns {
        QRegularExpression(QStringLiteral("[-_ ](edit|edited)([-_ ]?\\d+)?$"), options),
        QRegularExpression(QStringLiteral(" copy( \\d+)?$"), options),
        QRegularExpression(QStringLiteral(" \\(\\d+\\)$"), options),
    };
    return patterns;
}

// Cheap test that keeps the regular expressions off the common path: every suffix contains one
// of these texts.
bool mayHaveEditSuffix(const QString& key)
{
    return key.endsWith(u')') || key.contains(u" copy") || key.contains(u"edit");
}

QString withoutEditSuffixes(QString key)
{
    if (!mayHaveEditSuffix(key))
        return key;
    bool changed = true;
    while (changed) {
        changed = false;
        for (const QRegularExpression& pattern : editSuffixPatterns()) {
            const QRegularExpressionMatch match = pattern.match(key);
            if (match.hasMatch()) {
                key.remove(match.capturedStart(), match.capturedLength());
                changed = true;
            }
        }
    }
    return key;
}

} // namespace

namespace Naming {

QString fold(QStringView name)
{
    return name.toString().normalized(QString::NormalizationForm_C).toLower();
}

QString stem(QStringView name)
{
    QString folded = fold(name);
    for (;;) {
        const qsizetype dot = folded.lastIndexOf(u'.');
        if (dot <= 0)
            return folded;
        if (!FileKinds::mediaExtensions().contains(QStringView(folded).mid(dot + 1).toString()))
            return folded;
        folded.truncate(dot);
    }
}

SidecarTarget sidecarTarget(QStringView name)
{
    const QString folded = fold(name);
    const qsizetype lastDot = folded.lastIndexOf(u'.');
    const QString base = lastDot < 0 ? folded : folded.left(lastDot);
    const qsizetype innerDot = base.lastIndexOf(u'.');
    const QString inner = innerDot < 0 ? QString() : base.mid(innerDot + 1);
    if (!inner.isEmpty() && FileKinds::mediaExtensions().contains(inner))
        return { SidecarTarget::Kind::exact, base };
    return { SidecarTarget::Kind::stem, stem(base) };
}

QString pairName(QStringView name, const MatchOptions& options)
{
    QString key = stem(name);
    if (options.ignoreEditSuffixes)
        key = withoutEditSuffixes(std::move(key));
    if (options.canonPrefixes && key.startsWith(u"_mg_"))
        key.replace(0, 4, QStringLiteral("img_"));
    return key;
}

} // namespace Naming
