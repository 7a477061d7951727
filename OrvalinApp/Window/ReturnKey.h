#pragma once

#include <QObject>

class QWidget;

// Makes Return and Enter press the focused button of a window, as Space does. Qt's buttons take
// Return only inside dialogs; elsewhere the key went on to whatever held them (the group grid
// ticked its own file, the start screen opened the folder picker).
class ReturnKey : public QObject
{
    Q_OBJECT

public:
    // Watches the keys of `window` for as long as it lives.
    explicit ReturnKey(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
};
