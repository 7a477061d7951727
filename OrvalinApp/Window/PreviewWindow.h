#pragma once

#include "TextPreview.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QImage>
#include <optional>

class AppModel;
class QLabel;
class QPlainTextEdit;
class QStackedWidget;

// A quick look at one file: the picture as large as the window allows; for a sidecar, its text
// (read only, and only its beginning when it is long); for anything else, its name and size.
// It follows the model's preview file and clears it on closing. The picture is decoded and the
// text read off the main thread; the window shows the file's caption meanwhile.
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
    // Whether the current file is shown as text, and that text.
    bool showsText() const { return m_text.has_value(); }
    QString shownText() const;
    // The line under the picture or text: the file's name and size, and what the view leaves out.
    QString caption() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the quick look shows of a file: a picture, or else the beginning of its text.
    struct Content
    {
        QImage picture;
        std::optional<TextPreview> text;
    };
    static Content load(const QString& path);

    void refresh();
    void contentLoaded();
    void fit();

    AppModel& m_model;
    QStackedWidget* m_stack;
    QLabel* m_image;
    QPlainTextEdit* m_textView;
    QLabel* m_caption;
    QString m_path;
    QString m_fileCaption;
    QImage m_picture;
    std::optional<TextPreview> m_text;
    bool m_isLoading = false;
    QFutureWatcher<Content> m_loading;
};
