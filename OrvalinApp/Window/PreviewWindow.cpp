#include "PreviewWindow.h"

#include "AppModel.h"
#include "FileKind.h"
#include "Formatting.h"
#include "Icons.h"
#include "Style.h"
#include "ThumbnailDecoder.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
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
    m_caption = Style::label(QString(), Style::Text::callout, Style::Tone::secondary);
    m_caption->setAlignment(Qt::AlignHCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_image, 1);
    layout->addWidget(m_caption);

    connect(&m_loading, &QFutureWatcher<std::optional<QImage>>::finished, this,
            &PreviewWindow::pictureLoaded);
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
    setWindowTitle(file.fileName());
    m_caption->setText(
        file.fileName() + QStringLiteral(" · ") + Formatting::byteCount(file.size()));
    m_image->clear();
    m_isLoading = true;
    const FileKind kind = FileKinds::fromExtension(file.suffix());
    m_loading.setFuture(QtConcurrent::run(
        [path = m_path, kind] { return ThumbnailDecoder::decode(path, kind, maxSide); }));
    show();
    raise();
    activateWindow();
}

void PreviewWindow::pictureLoaded()
{
    // Setting a new future drops the old one's pending signals, so what arrives here belongs
    // to the file on show, unless the preview closed meanwhile.
    if (m_path.isEmpty())
        return;
    m_isLoading = false;
    m_picture = m_loading.result().value_or(QImage());
    fit();
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
