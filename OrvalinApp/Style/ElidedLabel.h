#pragma once

#include <QWidget>

// One line of text that, when it does not fit, drops letters from its middle and shows an
// ellipsis there, so that both ends of a long path stay readable. The whole text is its tooltip
// and what screen readers hear.
class ElidedLabel : public QWidget
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    const QString& text() const { return m_text; }
    void setText(const QString& text);
    // What is painted at the current width.
    QString shownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};
