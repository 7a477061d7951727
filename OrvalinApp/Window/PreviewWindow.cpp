#include "PreviewWindow.h"

#include "AppModel.h"
#include "FileKind.h"
#include "Formatting.h"
#include "Icons.h"
#include "Style.h"
#include "ThumbnailDecoder.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QtConcurrent>

PreviewWindow::PreviewWindow(AppModel& model, QWidget* parent)
    : QDialog(parent)
    , m_model(model)
{
    resize(820, 620);
    m_image = new QLabel;
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setMinimumSize(200, 150);
    m_image->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_textView = new QPlainTextEdit;
    m_textView->setReadOnly(true);
    m_textView->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_textView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_textView->installEventFilter(this);
    m_stack = new QStackedWidget;
    m_stack->addWidget(m_image);
    m_stack->addWidget(m_textView);
    m_caption = Style::label(QString(), Style::Text::callout, Style::Tone::secondary);
    m_caption->setAlignment(Qt::AlignHCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_stack, 1);
    layout->addWidget(m_caption);

    connect(&m_loading, &QFutureWatcher<Content>::finished, this, &PreviewWindow::contentLoaded);
    connect(&m_model, &AppModel::previewUrlChanged, this, &PreviewWindow::refresh);
    connect(this, &QDialog::finished, this, [this] {
        if (m_model.previewUrl())
            m_model.setPreviewUrl(std::nullopt);
    });
}

PreviewWindow::~PreviewWindow()
{
    // The decoding task holds only copies of its inputs; waiting keeps it from outliving the
    // watcher it reports to.
    m_loading.waitForFinished();
}

void PreviewWindow::refresh()
{
    const auto& url = m_model.previewUrl();
    if (!url) {
        m_path.clear();
        m_isLoading = false;
        if (isVisible())
            close();
        return;
    }
    const QFileInfo file(*url);
    m_path = *url;
    m_picture = QImage();
    m_text.reset();
    setWindowTitle(file.fileName());
    m_fileCaption = file.fileName() + QStringLiteral(" · ") + Formatting::byteCount(file.size());
    m_caption->setText(m_fileCaption);
    m_image->clear();
    m_textView->clear();
    m_textView->setAccessibleName(tr("Contents of “%1”").arg(file.fileName()));
    m_stack->setCurrentWidget(m_image);
    m_isLoading = true;
    m_loading.setFuture(QtConcurrent::run(&PreviewWindow::load, m_path));
    show();
    raise();
    activateWindow();
}

PreviewWindow::Content PreviewWindow::load(const QString& path)
{
    const FileKind kind = FileKinds::fromExtension(QFileInfo(path).suffix());
    if (kind != FileKind::sidecar)
        return { ThumbnailDecoder::decode(path, kind, maxSide).value_or(QImage()), std::nullopt };
    if (std::optional<TextPreview> text = TextPreview::read(path))
        return { QImage(), std::move(text) };
    // THM sidecars are small JPEG pictures.
    return { ThumbnailDecoder::decode(path, FileKind::image, maxSide).value_or(QImage()),
        std::nullopt };
}

void PreviewWindow::contentLoaded()
{
    // Setting a new future drops the old one's pending signals, so what arrives here belongs
    // to the file on show, unless the preview closed meanwhile.
    if (m_path.isEmpty())
        return;
    m_isLoading = false;
    Content content = m_loading.result();
    m_picture = std::move(content.picture);
    m_text = std::move(content.text);
    m_caption->setText(caption());
    if (m_text) {
        m_textView->setPlainText(m_text->text);
        m_stack->setCurrentWidget(m_textView);
        return;
    }
    fit();
}

QString PreviewWindow::shownText() const
{
    return m_text ? m_text->text : QString();
}

QString PreviewWindow::caption() const
{
    QStringList parts { m_fileCaption };
    if (m_text && m_text->cut)
        parts << tr("Only the first %1 are shown.")
                     .arg(Formatting::byteCount(TextPreview::defaultLimit));
    if (m_text && m_text->latin1)
        parts << tr("Not UTF-8 text: shown as Latin-1.");
    if (!m_isLoading && !m_text && m_picture.isNull()
        && FileKinds::fromExtension(QFileInfo(m_path).suffix()) == FileKind::sidecar)
        parts << tr("This file can’t be shown as text.");
    return parts.join(QStringLiteral(" · "));
}

void PreviewWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (!isLoading())
        fit();
}

void PreviewWindow::keyPressEvent(QKeyEvent* event)
{
    // Space closes the quick look, as it opened it.
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The text view would turn a page on Space; in the quick look Space closes it.
    if (watched == m_textView && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            if (!key->isAutoRepeat())
                close();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PreviewWindow::fit()
{
    if (m_path.isEmpty())
        return;
    if (m_picture.isNull()) {
        m_image->setPixmap(Icons::symbol(
            QStringLiteral("doc.badge.gearshape"), Style::colour(Style::Tone::secondary))
                               .pixmap(96, 96));
        return;
    }
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap = QPixmap::fromImage(
        m_picture.scaled(m_image->size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    m_image->setPixmap(pixmap);
}
