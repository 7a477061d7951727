#pragma once

#include <QWidget>

class ElidedLabel;
class QLabel;
class QPushButton;

// The bar over one folder's cells in the group grid: the folder, its number of leftovers, and
// a button that ticks them all, or unticks them all once every one is ticked.
class FolderHeader : public QWidget
{
    Q_OBJECT

public:
    explicit FolderHeader(QWidget* parent = nullptr);

    // The height every header has with the current fonts.
    static int preferredHeight();

    // `folder` is relative to the scanned folder, empty for the scanned folder itself, which
    // then goes by `rootName`.
    void bind(const QString& folder, const QString& rootName, qsizetype count, bool allTicked);

    const QString& folder() const { return m_folder; }
    bool allTicked() const { return m_allTicked; }
    QString title() const;
    // The title as painted, shortened in the middle when the header is narrow.
    QString shownTitle() const;
    QString buttonText() const;
    QPushButton* button() const { return m_button; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    // The button was pressed: tick the folder's candidates, or untick them when `allTicked`.
    void tickRequested(const QString& folder, bool tick);

private:
    QString m_folder;
    bool m_allTicked = false;
    ElidedLabel* m_title;
    QLabel* m_count;
    QPushButton* m_button;
};
