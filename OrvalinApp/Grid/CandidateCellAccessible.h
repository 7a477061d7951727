#pragma once

#include <QAccessibleWidget>

class CandidateCell;

// What screen readers see of a cell: a check box named after the file, checked while the file is
// ticked, whose value says so in words, with a quick look as a second action.
class CandidateCellAccessible : public QAccessibleWidget
{
public:
    explicit CandidateCellAccessible(CandidateCell* cell);

    // Makes Qt use this interface for every cell; safe to call more than once.
    static void install();

    QString text(QAccessible::Text type) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    CandidateCell* cell() const;
};
