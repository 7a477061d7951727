#pragma once

#include <QDialog>

class AppModel;
class QLabel;

// A quick look at one file: the picture as large as the window allows, or, for a file that is
// no picture, its name and size. It follows the model's preview file and clears it on closing.
class PreviewWindow : public QDialog
{
    Q_OBJECT

public:
    PreviewWindow(AppModel& model, QWidget* parent = nullptr);

    // Whether a picture could be shown for the current file.
    bool showsPicture() const { return !m_picture.isNull(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();
    void fit();

    AppModel& m_model;
    QLabel* m_image;
    QLabel* m_caption;
    QImage m_picture;
};
