#pragma once

#include <QWidget>

class QLabel;

// What a screen shows in place of an empty list: a large icon over a title and a description,
// centred in the room there is.
class EmptyState : public QWidget
{
    Q_OBJECT

public:
    EmptyState(const QString& symbol, const QString& title, const QString& description,
        QWidget* parent = nullptr);

    QString title() const;
    QString description() const;
    void setDescription(const QString& description);

private:
    QLabel* m_title;
    QLabel* m_description;
};
