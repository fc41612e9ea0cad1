#include "app/mainwindow.h"

#include "keyguide/keyconversion.h"
#include "keyguide/phonetypes.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFont>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace sarvo::app {
namespace {

QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The key text pads its cells with ideographic spaces, so the editors use a fixed-pitch font
// with Japanese glyphs; Qt falls back along the list when a family is not installed.
QFont editorFont() {
    QFont font;
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                      QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("MS Gothic")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(12);
    return font;
}

QPlainTextEdit* makeEditor(const QString& objectName, QWidget* parent) {
    auto* editor = new QPlainTextEdit(parent);
    editor->setObjectName(objectName);
    editor->setFont(editorFont());
    return editor;
}

// Shows the busy cursor for the lifetime of the object.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

MainWindow::MainWindow(IInteractive& ui, QWidget* parent)
    : QMainWindow(parent)
    , m_ui(ui) {
    setObjectName(QStringLiteral("frmSarvo"));
    setWindowTitle(QStringLiteral("Sarvo Ver 1.6Z"));
    buildWidgets();
    buildShortcuts();
    resize(900, 600);
    showView(keyguide::kNoteInputView);
}

void MainWindow::buildWidgets() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    auto* selectorRow = new QHBoxLayout;
    auto* typeLabel = new QLabel(QStringLiteral("携帯タイプ:"), central);
    m_viewSelector = new QComboBox(central);
    m_viewSelector->setObjectName(QStringLiteral("cmb"));
    for (const std::u16string& entry : keyguide::viewSelectorEntries())
        m_viewSelector->addItem(toQString(entry));
    // The type labels list many models; the closed box shows their start, the list shows all.
    m_viewSelector->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_viewSelector->setMinimumContentsLength(48);
    m_viewSelector->view()->setMinimumWidth(m_viewSelector->view()->sizeHintForColumn(0) + 24);
    m_viewSelector->setCurrentIndex(keyguide::kNoteInputView);
    typeLabel->setBuddy(m_viewSelector);
    auto* hint = new QLabel(QStringLiteral("※Alt+↑↓"), central);
    selectorRow->addWidget(typeLabel);
    selectorRow->addWidget(m_viewSelector, 1);
    selectorRow->addWidget(hint);
    layout->addLayout(selectorRow);

    // Only one of the two editors is visible at a time; the hidden one takes no room.
    m_melodyEdit = makeEditor(QStringLiteral("txt"), central);
    m_keyGuideEdit = makeEditor(QStringLiteral("pnl"), central);
    layout->addWidget(m_melodyEdit, 1);
    layout->addWidget(m_keyGuideEdit, 1);
    setCentralWidget(central);

    statusBar()->setObjectName(QStringLiteral("sts"));
    m_capacityPanel = new QLabel(statusBar());
    m_capacityPanel->setObjectName(QStringLiteral("stsPanel1"));
    statusBar()->addWidget(m_capacityPanel, 1);

    connect(m_viewSelector, &QComboBox::currentIndexChanged, this, &MainWindow::onIndexChanged);
    connect(m_viewSelector, &QComboBox::activated, this, &MainWindow::onActivated);
}

void MainWindow::buildShortcuts() {
    auto addShortcut = [this](QKeyCombination keys, auto slot) {
        auto* shortcut = new QShortcut(QKeySequence(keys), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
    };
    addShortcut(Qt::ALT | Qt::Key_Up, [this] { stepView(-1); });
    addShortcut(Qt::ALT | Qt::Key_Down, [this] { stepView(1); });
    addShortcut(Qt::ALT | Qt::Key_1, [this] { selectView(keyguide::kNoteInputView); });
    addShortcut(Qt::ALT | Qt::Key_2, [this] { selectView(keyguide::kStaffInputView); });
}

void MainWindow::selectView(int index) {
    if (index < 0 || index >= m_viewSelector->count())
        return;
    if (index == m_viewSelector->currentIndex())
        showView(index);
    else
        m_viewSelector->setCurrentIndex(index); // shows the view through onIndexChanged
}

int MainWindow::currentView() const {
    return m_viewSelector->currentIndex();
}

void MainWindow::onIndexChanged(int index) {
    showView(index);
    // A choice made in the combo box emits the change and then the activation, both at once;
    // the flag lets the activation of that same choice pass without a second conversion, and
    // is dropped once control returns to the event loop.
    if (!m_activationPending) {
        m_activationPending = true;
        QTimer::singleShot(0, this, [this] { m_activationPending = false; });
    }
}

void MainWindow::onActivated(int index) {
    // Choosing the entry that is already selected changes nothing, but shows its view afresh.
    if (m_activationPending) {
        m_activationPending = false;
        return;
    }
    showView(index);
}

void MainWindow::stepView(int delta) {
    selectView(m_viewSelector->currentIndex() + delta);
}

void MainWindow::showView(int index) {
    if (keyguide::phoneTypeByIndex(index))
        showKeyGuide(index);
    else if (index >= 0)
        showMelodyInput();
}

void MainWindow::showMelodyInput() {
    // The staff view (entry 1) is not built yet; until it is, it shows the note input.
    m_capacityPanel->clear();
    m_keyGuideEdit->hide();
    m_melodyEdit->show();
    m_melodyEdit->setFocus();
}

void MainWindow::showKeyGuide(int typeIndex) {
    m_keyGuideEdit->clear();
    {
        BusyCursor busy;
        const std::u16string melody = m_melodyEdit->toPlainText().toStdU16String();
        const std::u16string keys = keyguide::convertToKeys(typeIndex, melody, m_state, m_ui);
        m_keyGuideEdit->setPlainText(toQString(keys));
    }
    m_capacityPanel->setText(toQString(keyguide::phoneTypeByIndex(typeIndex)->capacity));
    m_keyGuideEdit->show();
    m_melodyEdit->hide();
    m_keyGuideEdit->setFocus();
}

} // namespace sarvo::app
