#include "GroupViews.h"

#include "AppModel.h"

#include <QListWidget>

namespace {

// A plain list of the group's file names, ticked or not, until the grid takes its place.
class GroupList : public QListWidget
{
public:
    GroupList(AppModel& model, OrphanGroup group, QWidget* parent)
        : QListWidget(parent)
        , m_model(model)
        , m_group(group)
    {
        setFrameShape(QFrame::NoFrame);
        connect(&model, &AppModel::foldersChanged, this, &GroupList::refresh);
        connect(&model, &AppModel::selectionChanged, this, &GroupList::refresh);
        connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
            const int index = row(item);
            if (index >= 0 && index < m_shown.size()
                && (item->checkState() == Qt::Checked) != m_model.isTicked(m_shown[index]))
                m_model.toggle(m_shown[index]);
        });
        refresh();
    }

private:
    void refresh()
    {
        const QSignalBlocker blocker(this);
        clear();
        m_shown.clear();
        for (const AppModel::FolderGroup& folder : m_model.folderGroups(m_group)) {
            for (const Candidate& candidate : folder.candidates) {
                auto* item = new QListWidgetItem(candidate.id(), this);
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
                item->setCheckState(m_model.isTicked(candidate) ? Qt::Checked : Qt::Unchecked);
                m_shown.append(candidate);
            }
        }
    }

    AppModel& m_model;
    OrphanGroup m_group;
    QList<Candidate> m_shown;
};

} // namespace

namespace GroupViews {

QWidget* make(AppModel& model, OrphanGroup group, QWidget* parent)
{
    return new GroupList(model, group, parent);
}

} // namespace GroupViews
