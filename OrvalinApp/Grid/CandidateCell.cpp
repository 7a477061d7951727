#include "CandidateCell.h"

#include "Accessibility.h"
#include "AppModel.h"
#include "CandidateCellAccessible.h"
#include "FileEntry.h"
#include "Formatting.h"
#include "Icons.h"
#include "Reveal.h"
#include "Spinner.h"
#include "Style.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QHelpEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QtMath>

namespace {

constexpr int padding = 8;
constexpr int thumbnailHeight = 120;
constexpr int thumbnailRadius = 8;
constexpr int frameRadius = 10;
constexpr int tickInset = 6;
constexpr int gearSize = 38;
// The middle of the focus ring's line, from the cell's edge: inside the 2-point outline of a
// ticked cell and clear of the thumbnail.
constexpr int focusRingInset = 5;

QFont nameFont()
{
    QFont font = Style::font(Style::Text::callout);
    font.setWeight(QFont::Medium);
    return font;
}

QFont captionFont()
{
    return Style::font(Style::Text::caption);
}

int capsuleHeight()
{
    return QFontMetrics(captionFont()).height() + 4;
}

QColor withAlpha(QColor colour, qreal alpha)
{
    colour.setAlphaF(alpha);
    return colour;
}

} // namespace

CandidateCell::CandidateCell(AppModel& model, ThumbnailCache& thumbnails, QWidget* parent)
    : QAbstractButton(parent)
    , m_model(model)
    , m_thumbnails(thumbnails)
{
    CandidateCellAccessible::install();
    setFocusPolicy(Qt::NoFocus);
    setAccessibleDescription(accessibleHint());
    m_spinner = new Spinner(20, this);
    m_spinner->hide();
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (m_candidate)
            m_model.toggle(*m_candidate);
    });
    connect(&m_thumbnails, &ThumbnailCache::thumbnailReady, this, &CandidateCell::pictureReady);
}

CandidateCell::~CandidateCell()
{
    unbind();
}

int CandidateCell::preferredHeight()
{
    const int nameLine = QFontMetrics(nameFont()).height();
    const int captionLine = qMax(QFontMetrics(captionFont()).height(), capsuleHeight());
    return padding + thumbnailHeight + 6 + nameLine + 2 + captionLine + padding;
}

void CandidateCell::bind(
    const Candidate& candidate, const QString& root, const QString& folderName, bool ticked)
{
    const QString path = QDir(root).filePath(candidate.id());
    if (m_candidate && *m_candidate == candidate && path == m_path) {
        setTicked(ticked);
        return;
    }
    unbind();
    m_candidate = candidate;
    m_path = path;
    m_folderName = folderName;
    m_sizeText = Formatting::byteCount(candidate.totalSize());
    m_ticked = ticked;
    setAccessibleName(accessibleLabel());
    requestPicture();
    update();
}

void CandidateCell::unbind()
{
    if (m_waiting)
        m_thumbnails.release(m_path);
    m_waiting = false;
    setLoading(false);
    m_keyboardFocus = false;
    m_candidate.reset();
    m_picture.reset();
    m_path.clear();
}

void CandidateCell::setKeyboardFocus(bool focused, bool ringShown)
{
    if (focused == m_keyboardFocus && ringShown == m_focusRingShown)
        return;
    m_keyboardFocus = focused;
    m_focusRingShown = ringShown;
    update();
}

void CandidateCell::setTicked(bool ticked)
{
    if (ticked == m_ticked)
        return;
    m_ticked = ticked;
    update();
    Accessibility::checkedChanged(this);
}

QString CandidateCell::accessibleLabel() const
{
    if (!m_candidate)
        return {};
    // The folder last, so that two files of the same name in different folders sound apart.
    const QString name = RelativePath::name(m_candidate->id());
    if (m_candidate->followers.isEmpty())
        return tr("%1, %2, in “%3”").arg(name, m_sizeText, m_folderName);
    return tr("%1, %2, with sidecars: %3, in “%4”")
        .arg(name, m_sizeText, Formatting::count(m_candidate->followers.size()), m_folderName);
}

QString CandidateCell::accessibleValue() const
{
    return m_ticked ? tr("Ticked") : tr("Not ticked");
}

QString CandidateCell::accessibleHint()
{
    return tr("Ticks or unticks this file for moving");
}

QString CandidateCell::quickLookActionName()
{
    return tr("Quick Look");
}

void CandidateCell::quickLook()
{
    if (m_candidate && m_model.previewUrl() != m_path)
        m_model.setPreviewUrl(m_path);
}

void CandidateCell::toggleQuickLook()
{
    if (!m_candidate)
        return;
    if (m_model.previewUrl() == m_path)
        m_model.setPreviewUrl(std::nullopt);
    else
        m_model.setPreviewUrl(m_path);
}

void CandidateCell::showInFileManager()
{
    if (m_candidate)
        Reveal::inFileManager(m_path);
}

// Thumbnails

void CandidateCell::requestPicture()
{
    // Asking again replaces a request still open.
    if (m_waiting)
        m_thumbnails.release(m_path);
    const FileKind kind = m_candidate->file.kind;
    const QSize pixels = thumbnailPixels();
    m_picture = m_thumbnails.image(m_path, kind, pixels);
    m_waiting = m_picture ? !ThumbnailCache::isEnoughFor(*m_picture, pixels)
                          : ThumbnailCache::isDecoded(kind);
    setLoading(!m_picture && ThumbnailCache::isDecoded(kind));
}

// The thumbnail area in the screen's own pixels: a picture that covers it is drawn sharp.
QSize CandidateCell::thumbnailPixels() const
{
    const QSizeF area = QSizeF(thumbnailRect().size()) * devicePixelRatioF();
    return { qCeil(area.width()), qCeil(area.height()) };
}

void CandidateCell::pictureReady(const QString& path)
{
    // Also when a picture is shown already: a sharper one for a larger cell has come.
    if (!m_candidate || path != m_path)
        return;
    // The request is answered. The cache may already have dropped the picture again under
    // pressure; then this asks anew.
    m_waiting = false;
    requestPicture();
    update();
}

void CandidateCell::setLoading(bool loading)
{
    m_loading = loading;
    m_spinner->setVisible(loading);
}

// Drawing

QRect CandidateCell::thumbnailRect() const
{
    return { padding, padding, width() - 2 * padding, thumbnailHeight };
}

QRect CandidateCell::capsuleRect() const
{
    if (!m_candidate || m_candidate->followers.isEmpty())
        return {};
    const QFontMetrics metrics(captionFont());
    const int iconSize = metrics.height() - 2;
    const QString count = Formatting::count(m_candidate->followers.size());
    const int captionTop = padding + thumbnailHeight + 6 + QFontMetrics(nameFont()).height() + 2;
    const int left = padding + metrics.horizontalAdvance(m_sizeText) + 6;
    const int capsuleWidth = 5 + iconSize + 3 + metrics.horizontalAdvance(count) + 5;
    return { left, captionTop, capsuleWidth, capsuleHeight() };
}

void CandidateCell::resizeEvent(QResizeEvent* event)
{
    QAbstractButton::resizeEvent(event);
    m_spinner->move(thumbnailRect().center() - m_spinner->rect().center());
    // A wider cell may want a larger picture than the one it shows.
    if (m_candidate && !m_loading && m_picture)
        requestPicture();
}

void CandidateCell::paintEvent(QPaintEvent*)
{
    if (!m_candidate)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    paintFrame(painter);
    paintThumbnail(painter);
    paintTickMark(painter);
    paintTexts(painter);
    paintFocusRing(painter);
}

void CandidateCell::paintFrame(QPainter& painter) const
{
    const QRectF frame = QRectF(rect()).adjusted(1, 1, -1, -1);
    const QColor accent = Style::accent();
    painter.setPen(m_ticked ? QPen(accent, 2) : Qt::NoPen);
    painter.setBrush(m_ticked ? withAlpha(accent, 0.14) : Style::fill(0.06));
    painter.drawRoundedRect(frame, frameRadius, frameRadius);
}

void CandidateCell::paintThumbnail(QPainter& painter) const
{
    const QRect area = thumbnailRect();
    painter.save();
    QPainterPath clip;
    clip.addRoundedRect(area, thumbnailRadius, thumbnailRadius);
    painter.setClipPath(clip);
    painter.fillRect(area, withAlpha(Style::colour(Style::Tone::secondary, this), 0.12));
    if (m_picture && !m_picture->isFileIcon) {
        // A photo fills the area and is cropped to it; the middle is what matters.
        const QImage& image = m_picture->image;
        const QSize covered = image.size().scaled(area.size(), Qt::KeepAspectRatioByExpanding);
        QRect target(QPoint(), covered);
        target.moveCenter(area.center());
        painter.drawImage(target, image);
    } else if (m_picture) {
        QRect target(QPoint(), m_picture->image.deviceIndependentSize().toSize());
        target.moveCenter(area.center());
        painter.drawImage(target, m_picture->image);
    } else if (!m_loading) {
        const QIcon gear = Icons::symbol(
            QStringLiteral("doc.badge.gearshape"), Style::colour(Style::Tone::secondary, this));
        QRect target(0, 0, gearSize, gearSize);
        target.moveCenter(area.center());
        gear.paint(&painter, target);
    }
    painter.restore();
}

void CandidateCell::paintTickMark(QPainter& painter) const
{
    const int diameter = QFontMetrics(Style::font(Style::Text::title2)).height();
    const QRectF mark(
        width() - padding - tickInset - diameter, padding + tickInset, diameter, diameter);
    painter.save();
    if (m_ticked) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Style::accent());
        painter.drawEllipse(mark);
        QPainterPath check;
        check.moveTo(mark.left() + diameter * 0.28, mark.top() + diameter * 0.52);
        check.lineTo(mark.left() + diameter * 0.44, mark.top() + diameter * 0.68);
        check.lineTo(mark.left() + diameter * 0.73, mark.top() + diameter * 0.35);
        painter.setPen(QPen(palette().color(QPalette::HighlightedText), qMax(2.0, diameter / 10.0),
            Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(check);
    } else {
        painter.setPen(QPen(Qt::white, qMax(1.5, diameter / 14.0)));
        painter.setBrush(QColor(0, 0, 0, qRound(255 * 0.35)));
        painter.drawEllipse(mark.adjusted(1, 1, -1, -1));
    }
    painter.restore();
}

void CandidateCell::paintTexts(QPainter& painter) const
{
    const int textWidth = width() - 2 * padding;
    const QFont name = nameFont();
    const QFontMetrics nameMetrics(name);
    const int nameTop = padding + thumbnailHeight + 6;
    painter.setFont(name);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(padding, nameTop, textWidth, nameMetrics.height()),
        Qt::AlignLeft | Qt::AlignVCenter,
        nameMetrics.elidedText(RelativePath::name(m_candidate->id()), Qt::ElideMiddle, textWidth));

    const QFont caption = captionFont();
    const QColor secondary = Style::colour(Style::Tone::secondary, this);
    const int captionTop = nameTop + nameMetrics.height() + 2;
    painter.setFont(caption);
    painter.setPen(secondary);
    painter.drawText(QRect(padding, captionTop, textWidth, capsuleHeight()),
        Qt::AlignLeft | Qt::AlignVCenter, m_sizeText);

    const QRect capsule = capsuleRect();
    if (capsule.isNull())
        return;
    painter.setPen(Qt::NoPen);
    painter.setBrush(withAlpha(secondary, 0.15));
    painter.drawRoundedRect(capsule, capsule.height() / 2.0, capsule.height() / 2.0);
    const int iconSize = QFontMetrics(caption).height() - 2;
    const QRect icon(
        capsule.left() + 5, capsule.top() + (capsule.height() - iconSize) / 2, iconSize, iconSize);
    Icons::symbol(QStringLiteral("doc.badge.gearshape"), secondary).paint(&painter, icon);
    painter.setPen(secondary);
    painter.drawText(capsule.adjusted(5 + iconSize + 3, 0, -5, 0), Qt::AlignLeft | Qt::AlignVCenter,
        Formatting::count(m_candidate->followers.size()));
}

bool CandidateCell::isNameElided() const
{
    return m_candidate
        && QFontMetrics(nameFont()).horizontalAdvance(RelativePath::name(m_candidate->id()))
        > width() - 2 * padding;
}

void CandidateCell::paintFocusRing(QPainter& painter) const
{
    if (!showsFocusRing())
        return;
    // Inside the frame, set off from it by a band of the window's colour, so that the ring
    // stands apart from the outline of a ticked cell drawn in the same accent.
    const QRectF band = QRectF(rect()).adjusted(
        focusRingInset - 2, focusRingInset - 2, 2 - focusRingInset, 2 - focusRingInset);
    const QRectF ring
        = QRectF(rect()).adjusted(focusRingInset, focusRingInset, -focusRingInset, -focusRingInset);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(palette().color(QPalette::Window), 2));
    painter.drawRoundedRect(band, frameRadius - 2, frameRadius - 2);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawRoundedRect(ring, frameRadius - 4, frameRadius - 4);
    painter.restore();
}

// Interaction

bool CandidateCell::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (m_candidate && capsuleRect().contains(help->pos())) {
            QStringList names;
            for (const FileEntry& follower : m_candidate->followers)
                names.append(RelativePath::name(follower.relativePath));
            QToolTip::showText(
                help->globalPos(), names.join(QLatin1Char('\n')), this, capsuleRect());
        } else if (m_candidate && isNameElided()) {
            // A name cut short in its middle is read in full here.
            QToolTip::showText(help->globalPos(), RelativePath::name(m_candidate->id()), this);
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QAbstractButton::event(event);
}

void CandidateCell::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_candidate)
        return;
    QMenu menu(this);
    menu.addAction(quickLookActionName(), this, &CandidateCell::quickLook);
    menu.addAction(tr("Show in File Manager"), this, &CandidateCell::showInFileManager);
    menu.exec(event->globalPos());
}
