#include "SettingsWindow.h"

#include "Accessibility.h"
#include "AppModel.h"
#include "Icons.h"
#include "SettingsTab.h"
#include "Style.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// In the order of the tabs.
QStringList tabIdentifiers()
{
    return { SettingsTab::matching(), SettingsTab::privacy() };
}

} // namespace

SettingsWindow::SettingsWindow(AppModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_model(model)
{
    setWindowTitle(tr("Settings"));
    Accessibility::setRole(this, QAccessible::Dialog);
    resize(560, 440);
    m_tabs = new QTabWidget;
    m_tabs->setDocumentMode(true);
    m_tabs->setAccessibleName(tr("Settings"));
    m_tabs->addTab(
        matchingTab(), Icons::symbol(QStringLiteral("rectangle.on.rectangle")), tr("Matching"));
    m_tabs->addTab(privacyTab(), Icons::symbol(QStringLiteral("hand.raised")), tr("Privacy"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->addWidget(m_tabs);

    setCurrentTab(SettingsTab::selected());
    connect(m_tabs, &QTabWidget::currentChanged, this, [](int index) {
        if (index >= 0 && index < tabIdentifiers().size())
            SettingsTab::select(tabIdentifiers()[index]);
    });
    connect(&m_model, &AppModel::optionsChanged, this, &SettingsWindow::refresh);
    refresh();

    // A window of switches that apply at once has nothing to cancel: both keys just close it.
    for (const QKeySequence& keys :
        { QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W) })
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
}

void SettingsWindow::present(const QWidget& owner)
{
    if (!isVisible() && owner.screen()) {
        // Window managers place a new window as they please, some partly off the screen: it is
        // centred over the main window here, and kept clear of the screen's edges and panels
        // with room for a frame and a title bar.
        const QSize frameAllowance(16, 40);
        const QRect screen = owner.screen()->availableGeometry();
        // The size it will show at: its fonts and style are taken on when it is first shown.
        ensurePolished();
        layout()->activate();
        const QSize wanted = size().expandedTo(minimumSizeHint());
        resize(wanted.boundedTo(screen.size() - frameAllowance));
        QRect frame(QPoint(), size() + frameAllowance);
        frame.moveCenter(owner.frameGeometry().center());
        frame.moveLeft(qBound(screen.left(), frame.left(), screen.right() + 1 - frame.width()));
        frame.moveTop(qBound(screen.top(), frame.top(), screen.bottom() + 1 - frame.height()));
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
}

QString SettingsWindow::currentTab() const
{
    return tabIdentifiers().value(m_tabs->currentIndex());
}

void SettingsWindow::setCurrentTab(const QString& identifier)
{
    const int index = tabIdentifiers().indexOf(identifier);
    m_tabs->setCurrentIndex(index < 0 ? 0 : index);
}

QCheckBox* SettingsWindow::toggle(bool MatchOptions::*field) const
{
    for (const auto& [bound, box] : m_toggles) {
        if (bound == field)
            return box;
    }
    return nullptr;
}

QWidget* SettingsWindow::matchingTab()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(12);
    auto section = [&](const QString& title) {
        auto* box = new QGroupBox(title);
        auto* boxLayout = new QVBoxLayout(box);
        boxLayout->setSpacing(6);
        layout->addWidget(box);
        return boxLayout;
    };

    QVBoxLayout* names = section(tr("Names"));
    names->addWidget(
        addToggle(tr("Edited copies count as the JPEG (IMG_0001-Edit.jpg, “copy”, “(1)”)"),
            &MatchOptions::ignoreEditSuffixes));
    names->addWidget(addToggle(
        tr("Canon _MG_1234 is the same photo as IMG_1234"), &MatchOptions::canonPrefixes));
    names->addWidget(addToggle(tr("Recognise the names phones and editing tools write "
                                  "(PXL_…COVER.jpg, IMG_E0102.JPG)"),
        &MatchOptions::knownToolNames));
    names->addWidget(
        addToggle(tr("Pair across subfolders (cameras that write RAW and JPG folders)"),
            &MatchOptions::matchAcrossFolders));
    QVBoxLayout* renamed = section(tr("Renamed files"));
    renamed->addWidget(addToggle(
        tr("Pair by capture time and camera when names differ"), &MatchOptions::matchCaptureTime));
    QVBoxLayout* listed = section(tr("What’s listed"));
    QCheckBox* mixed = addToggle(
        tr("Only in folders that hold both RAW and JPEG files"), &MatchOptions::onlyMixedFolders);
    listed->addWidget(mixed);
    listed->addWidget(addToggle(tr("Offer HEIC files with no RAW too"), &MatchOptions::trimHEIC));
    QLabel* hint = Style::label(tr("A folder of only RAW or only JPEG files is usually how it "
                                   "was shot, not leftovers. HEIC files always count as a "
                                   "RAW’s twin either way."),
        Style::Text::callout, Style::Tone::secondary);
    listed->addWidget(hint);
    // Screen readers say it with the switch it explains.
    mixed->setAccessibleDescription(hint->text());
    layout->addStretch(1);
    return page;
}

QWidget* SettingsWindow::privacyTab()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(20, 16, 20, 16);
    auto* box = new QGroupBox;
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(Style::label(tr("Your photos never leave this computer. %1 reads the "
                                         "folders you choose, and moves only the files you tick, "
                                         "into a review folder inside that folder. It never "
                                         "deletes a file.")
                                          .arg(m_model.appName())));
    layout->addWidget(box);
    layout->addStretch(1);
    return page;
}

QCheckBox* SettingsWindow::addToggle(const QString& label, bool MatchOptions::*field)
{
    auto* box = new QCheckBox(label);
    m_toggles.append({ field, box });
    connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
        MatchOptions options = m_model.options();
        options.*field = on;
        m_model.setOptions(options);
    });
    return box;
}

void SettingsWindow::refresh()
{
    const MatchOptions& options = m_model.options();
    for (const auto& [field, box] : std::as_const(m_toggles)) {
        const QSignalBlocker blocker(box);
        box->setChecked(options.*field);
    }
}
