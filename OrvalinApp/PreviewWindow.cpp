#include "PreviewWindow.h"

#include "AppModel.h"
#include "Formatting.h"
#include "Icons.h"
#include "Style.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// Pictures are read by their content, not their extension: many RAW formats carry a full-size
// JPEG that Qt can decode, and a misnamed file still shows.
QImage readPicture(const QString& path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    // Enough for a large screen without decoding a 100-megapixel file in full.
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > 4096 || size.height() > 4096))
        reader.setScaledSize(size.scaled(4096, 4096, Qt::KeepAspectRatio));
    return reader.read();
}

} // namespace

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

    connect(&m_model, &AppModel::previewUrlChanged, this, &PreviewWindow::refresh);
    connect(this, &QDialog::finished, this, [this] {
        if (m_model.previewUrl())
            m_model.setPreviewUrl(std::nullopt);
    });
}

void PreviewWindow::refresh()
{
    const auto& url = m_model.previewUrl();
    if (!url) {
        if (isVisible())
            close();
        return;
    }
    const QFileInfo file(*url);
    setWindowTitle(file.fileName());
    m_picture = readPicture(*url);
    m_caption->setText(
        file.fileName() + QStringLiteral(" · ") + Formatting::byteCount(file.size()));
    fit();
    show();
    raise();
    activateWindow();
}

void PreviewWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    fit();
}

void PreviewWindow::fit()
{
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
