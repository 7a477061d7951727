#pragma once

#include "Candidate.h"
#include "ThumbnailCache.h"

#include <QAbstractButton>
#include <optional>

class AppModel;
class Spinner;

// One leftover in the group grid: its thumbnail with the tick mark, its name, and its size
// with the number of sidecars that move with it. The whole cell is one button; clicking it
// ticks or unticks the file. The grid keeps only the cells on screen and gives them other
// candidates as the user scrolls, so a cell shows whatever it was last bound to. For the same
// reason a cell never takes the keyboard focus itself: the grid keeps it and marks the cell
// that shows its current file.
class CandidateCell : public QAbstractButton
{
    Q_OBJECT

public:
    CandidateCell(AppModel& model, ThumbnailCache& thumbnails, QWidget* parent = nullptr);
    ~CandidateCell() override;

    // The height every cell has with the current fonts.
    static int preferredHeight();

    // Shows `candidate`, a file under the scanned folder `root`, in the folder its header names
    // `folderName`.
    void bind(
        const Candidate& candidate, const QString& root, const QString& folderName, bool ticked);
    // Shows nothing and lets go of a thumbnail still on its way.
    void unbind();
    void setTicked(bool ticked);
    // Whether the cell shows the file that has the grid's keyboard focus; it draws a focus ring
    // when `ringShown`, which the grid turns off after a click.
    void setKeyboardFocus(bool focused, bool ringShown);
    bool hasKeyboardFocus() const { return m_keyboardFocus; }
    bool showsFocusRing() const { return m_keyboardFocus && m_focusRingShown; }

    const std::optional<Candidate>& candidate() const { return m_candidate; }
    bool isTicked() const { return m_ticked; }
    // The file's absolute path.
    const QString& path() const { return m_path; }
    // Whether the cell is waiting for its thumbnail.
    bool isLoading() const { return m_loading; }
    const std::optional<ThumbnailCache::Picture>& picture() const { return m_picture; }
    // Whether its picture is as sharp as the screen shows it, not a stand-in to be sharpened.
    bool isSharp() const { return m_picture && !m_waiting; }
    // Whether the name is too long for the cell and shown cut short; its tooltip is the name.
    bool isNameElided() const;

    // What a screen reader says for the cell.
    QString accessibleLabel() const;
    QString accessibleValue() const;
    static QString accessibleHint();
    // The action the cell offers besides pressing it.
    static QString quickLookActionName();

    // Opens the file in the quick look.
    void quickLook();
    // The same, or closes the quick look when it shows this file already.
    void toggleQuickLook();
    void showInFileManager();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void requestPicture();
    void pictureReady(const QString& path);
    void setLoading(bool loading);

    QRect thumbnailRect() const;
    QSize thumbnailPixels() const;
    QRect capsuleRect() const;
    void paintFrame(QPainter& painter) const;
    void paintThumbnail(QPainter& painter) const;
    void paintTickMark(QPainter& painter) const;
    void paintTexts(QPainter& painter) const;
    void paintFocusRing(QPainter& painter) const;

    AppModel& m_model;
    ThumbnailCache& m_thumbnails;
    std::optional<Candidate> m_candidate;
    QString m_path;
    QString m_folderName;
    QString m_sizeText;
    bool m_ticked = false;
    bool m_loading = false;
    // Whether the cell waits for a picture from the cache, a first or a sharper one.
    bool m_waiting = false;
    bool m_keyboardFocus = false;
    bool m_focusRingShown = true;
    std::optional<ThumbnailCache::Picture> m_picture;
    Spinner* m_spinner = nullptr;
};
