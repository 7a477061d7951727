#pragma once

#include <QDialog>
#include <QFutureWatcher>
#include <QImage>
#include <optional>

class AppModel;
class QLabel;

// A quick look at one file: the picture as large as the window allows, or, for a file that is
// no picture, its name and size. It follows the model's preview file and clears it on closing.
// The picture is decoded off the main thread; the window shows the file's caption meanwhile.
class PreviewWindow : public QDialog
{
    Q_OBJECT

public:
    // Long enough for a large screen without decoding a 100-megapixel picture in full.
    static constexpr int maxSide = 2400;

    PreviewWindow(AppModel& model, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // Whether the current file's picture is still being decoded.
    bool isLoading() const { return m_isLoading; }
    // Whether a picture could be shown for the current file.
    bool showsPicture() const { return !m_picture.isNull(); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refresh();
    void pictureLoaded();
    void fit();

    AppModel& m_model;
    QLabel* m_image;
    QLabel* m_caption;
    QString m_path;
    QImage m_picture;
    bool m_isLoading = false;
    QFutureWatcher<std::optional<QImage>> m_loading;
};
