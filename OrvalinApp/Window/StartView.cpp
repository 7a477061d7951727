#include "StartView.h"

#include "AppModel.h"
#include "Icons.h"
#include "Recents.h"
#include "Style.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

QWidget* note(const QString& symbol, const QString& text)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(Style::iconLabel(symbol, 16, Style::Ink::secondary), 0, Qt::AlignTop);
    layout->addWidget(Style::label(text, Style::Text::callout, Style::Tone::secondary), 1);
    return row;
}

} // namespace

StartView::StartView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    const QString app = model.appName();
    auto* column = new QWidget;
    column->setMaximumWidth(640);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(40, 40, 40, 40);
    layout->setSpacing(18);

    layout->addWidget(Style::iconLabel(QStringLiteral("camera.aperture"), 60, Style::Ink::accent),
        0, Qt::AlignHCenter);
    auto* title = Style::label(tr("Tidy up after culling"), Style::Text::largeTitle);
    title->setAlignment(Qt::AlignHCenter);
    layout->addWidget(title);
    auto* intro = Style::label(
        tr("Pick a folder of shoots. %1 finds RAW files whose JPEG you deleted, JPEGs whose RAW "
           "you deleted, and sidecar files left behind. You tick what goes; it moves them to a "
           "review folder you can restore from, and never deletes anything.")
            .arg(app),
        Style::Text::body, Style::Tone::secondary);
    intro->setAlignment(Qt::AlignHCenter);
    layout->addWidget(intro);

    m_choose = new QPushButton(Icons::symbol(QStringLiteral("folder")), tr("Choose Folder…"));
    Style::makeProminent(m_choose, QStringLiteral("folder"));
    m_choose->setMinimumHeight(m_choose->sizeHint().height() + 6);
    connect(m_choose, &QPushButton::clicked, this, [this] { m_model.chooseFolder(window()); });
    // A default button only answers Return inside dialogs; this screen is not one. A recent
    // folder with the focus takes the key itself.
    for (const auto key : { Qt::Key_Return, Qt::Key_Enter }) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, m_choose, &QPushButton::click);
    }
    layout->addWidget(m_choose, 0, Qt::AlignHCenter);
    setFocusProxy(m_choose);

    m_recents = new QWidget;
    auto* recentsLayout = new QVBoxLayout(m_recents);
    recentsLayout->setContentsMargins(0, 0, 0, 0);
    recentsLayout->setSpacing(4);
    recentsLayout->addWidget(Style::label(tr("Recent folders"), Style::Text::headline));
    m_recentRows = new QVBoxLayout;
    m_recentRows->setSpacing(2);
    recentsLayout->addLayout(m_recentRows);
    layout->addWidget(m_recents);

    auto* divider = new QFrame;
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    layout->addWidget(divider);
    layout->addWidget(note(QStringLiteral("photo.on.rectangle.angled"),
        tr("Not for Apple Photos libraries: %1 refuses folders that hold an Apple Photos "
           "library, as a Mac’s disk may, or a Lightroom or Capture One catalog. Apple Photos "
           "pairs can only be changed inside Apple Photos, on a Mac.")
            .arg(app)));
    layout->addWidget(note(QStringLiteral("exclamationmark.triangle"),
        tr("If Lightroom or Capture One knows about these photos, moved files will show as "
           "missing there.")));
    layout->addWidget(
        note(QStringLiteral("lock.shield"), tr("Everything stays on this computer.")));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(Style::centred(column));

    reloadRecents();
}

void StartView::reloadRecents()
{
    while (QLayoutItem* item = m_recentRows->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QList<Recents::Item> items = Recents::load();
    for (const Recents::Item& item : items) {
        auto* row = new QPushButton(Icons::symbol(QStringLiteral("clock")), item.name);
        row->setFlat(true);
        row->setCursor(Qt::PointingHandCursor);
        row->setToolTip(item.path);
        row->setStyleSheet(QStringLiteral("QPushButton { text-align: left; color: palette(link); "
                                          "border: none; padding: 2px 4px; }"
                                          "QPushButton:hover { text-decoration: underline; }"));
        connect(row, &QPushButton::clicked, this, [this, item] { m_model.openRecent(item); });
        m_recentRows->addWidget(row, 0, Qt::AlignLeft);
    }
    m_recents->setVisible(!items.isEmpty());
}
