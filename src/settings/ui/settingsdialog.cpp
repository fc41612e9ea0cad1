#include "settings/ui/settingsdialog.h"

#include "keyguide/phonetypes.h"
#include "melody/notefont.h"
#include "melody/pitchkeytable.h"
#include "settings/ui/fontgroup.h"
#include "settings/ui/soundtab.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace sarvo::settings {
namespace {

QString text(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

// The hint beside each key assignment, in the order of the maps.
constexpr std::array<const char*, 3> kKeyMapHints = {
    QT_TRANSLATE_NOOP("sarvo::settings::SettingsDialog",
                      "・・・着信音入力手順とピアノの鍵盤を意識"),
    QT_TRANSLATE_NOOP("sarvo::settings::SettingsDialog", "・・・ピアノの鍵盤をもろ意識"),
    QT_TRANSLATE_NOOP("sarvo::settings::SettingsDialog", "・・・ドレミの英語表記を意識"),
};

} // namespace

SettingsDialog::SettingsDialog(IInteractive& ui, sound::IMidiOutput& midi,
                               sound::MidiOutputPort* port, QWidget* parent)
    : QDialog(parent)
    , m_ui(ui)
    , m_midi(midi) {
    setObjectName(QStringLiteral("dlgSet"));
    setWindowTitle(tr("設定"));
    setModal(true);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabSet"));
    m_soundTab = new SoundTab(midi, port, m_tabs);
    m_tabs->addTab(m_soundTab, tr("音とテンポ"));
    m_tabs->addTab(buildKeyTab(), tr("キー割り当て"));
    m_tabs->addTab(buildFontTab(), tr("フォント"));
    m_tabs->addTab(buildPhoneTypeTab(), tr("携帯電話タイプ"));
    connect(m_soundTab, &SoundTab::resetRequested, this, [this] { resetTab(0); });
    connect(m_soundTab, &SoundTab::voiceChosen, this, &SettingsDialog::voiceChosen);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(tr("ＯＫ(&O)"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* cancel = buttons->addButton(tr("キャンセル"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SettingsDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

QPushButton* SettingsDialog::resetButton(int tab, QWidget* parent) {
    auto* button = new QPushButton(tr("既定値に 戻す(&B)"), parent);
    button->setObjectName(QStringLiteral("cmdReset%1").arg(tab));
    connect(button, &QPushButton::clicked, this, [this, tab] { resetTab(tab); });
    return button;
}

QWidget* SettingsDialog::buildKeyTab() {
    auto* tab = new QWidget(m_tabs);
    auto* frame = new QGroupBox(QStringLiteral("ド レ ミ ファ ソ ラ シ #ド #レ #ファ #ソ #ラ"), tab);
    auto* grid = new QGridLayout(frame);
    for (int map = 0; map < melody::kKeyMapCount; ++map) {
        auto* option = new QRadioButton(text(melody::PitchKeyTable::keyMapCaption(map)), frame);
        option->setObjectName(QStringLiteral("optKey%1").arg(map));
        m_keyMaps[static_cast<size_t>(map)] = option;
        grid->addWidget(option, map, 0);
        grid->addWidget(new QLabel(tr(kKeyMapHints[static_cast<size_t>(map)]), frame), map, 1);
    }
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(frame);
    layout->addStretch(1);
    layout->addWidget(resetButton(1, tab), 0, Qt::AlignRight);
    return tab;
}

QWidget* SettingsDialog::buildFontTab() {
    auto* tab = new QWidget(m_tabs);
    QStringList families = QFontDatabase::families();
    if (!families.contains(QLatin1String(melody::kNoteFontFamily)))
        families.prepend(QLatin1String(melody::kNoteFontFamily));
    m_inputFont =
        new FontGroup(tr("メロディー入力画面"), QStringLiteral("Inpu"), families, m_ui, tab);
    m_displayFont =
        new FontGroup(tr("着信音入力手順表示画面"), QStringLiteral("Hyouji"), families, m_ui, tab);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(m_inputFont);
    layout->addWidget(
        new QLabel(tr("注)Sarvo以外のフォントを指定すると音符が表示されません"), tab));
    layout->addWidget(m_displayFont);
    layout->addStretch(1);
    layout->addWidget(resetButton(2, tab), 0, Qt::AlignRight);
    return tab;
}

QWidget* SettingsDialog::buildPhoneTypeTab() {
    auto* tab = new QWidget(m_tabs);
    m_phoneTypes = new QListWidget(tab);
    m_phoneTypes->setObjectName(QStringLiteral("lstT"));
    m_phoneTypes->setSelectionMode(QAbstractItemView::MultiSelection);
    for (const keyguide::PhoneType& type : keyguide::phoneTypes())
        m_phoneTypes->addItem(text(type.listLabel));
    auto* all = new QPushButton(tr("全選択 (&A)"), tab);
    all->setObjectName(QStringLiteral("cmdAll"));
    auto* none = new QPushButton(tr("全解除 (&C)"), tab);
    none->setObjectName(QStringLiteral("cmdClear"));
    connect(all, &QPushButton::clicked, this, [this] { selectAllTypes(true); });
    connect(none, &QPushButton::clicked, this, [this] { selectAllTypes(false); });
    m_userName = new QLineEdit(tab);
    m_userName->setObjectName(QStringLiteral("txtName"));

    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(all);
    listButtons->addWidget(none);
    listButtons->addWidget(new QLabel(tr("注)多くを選ぶと処理が遅くなります。"), tab), 1);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(tr("お名前："), tab));
    nameRow->addWidget(m_userName, 1);
    // In the order of LanguageChoice.
    m_language = new QComboBox(tab);
    m_language->setObjectName(QStringLiteral("cmbLanguage"));
    m_language->addItems(
        {tr("自動（ロケールに従う）"), QStringLiteral("日本語"), QStringLiteral("English")});
    auto* languageRow = new QHBoxLayout;
    languageRow->addWidget(new QLabel(tr("表示言語："), tab));
    languageRow->addWidget(m_language, 1);
    languageRow->addWidget(new QLabel(tr("※次回の起動から有効になります。"), tab));
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(new QLabel(tr("保存する時に着信音入力手順を書き出す携帯電話タイプ："), tab));
    layout->addWidget(m_phoneTypes, 1);
    layout->addLayout(listButtons);
    layout->addLayout(nameRow);
    layout->addWidget(new QLabel(tr("※メールを送る時の From: にも使用されます。"), tab));
    layout->addLayout(languageRow);
    layout->addWidget(resetButton(3, tab), 0, Qt::AlignRight);
    return tab;
}

void SettingsDialog::load(const SettingsFile& file) {
    m_file = &file;
    m_saved = false;
    m_loaded = file.preferences();
    setPreferences(m_loaded);
    m_openedVoice = m_soundTab->voiceProgram();
}

void SettingsDialog::setPreferences(const Preferences& preferences) {
    m_soundTab->setPreferences(preferences);
    for (size_t map = 0; map < m_keyMaps.size(); ++map)
        m_keyMaps[map]->setChecked(static_cast<int>(map) == preferences.keyMap);
    m_inputFont->setChoice(preferences.inputFont);
    m_displayFont->setChoice(preferences.displayFont);
    for (int row = 0; row < m_phoneTypes->count(); ++row) {
        const int index = keyguide::kFirstPhoneType + row;
        m_phoneTypes->item(row)->setSelected(std::ranges::find(preferences.phoneTypes, index) !=
                                             preferences.phoneTypes.end());
    }
    m_userName->setText(text(preferences.userName));
    m_language->setCurrentIndex(static_cast<int>(preferences.language));
}

Preferences SettingsDialog::preferences() const {
    Preferences preferences = m_loaded;
    m_soundTab->readInto(preferences);
    for (size_t map = 0; map < m_keyMaps.size(); ++map) {
        if (m_keyMaps[map]->isChecked())
            preferences.keyMap = static_cast<int>(map);
    }
    preferences.inputFont = m_inputFont->choice();
    preferences.displayFont = m_displayFont->choice();
    preferences.phoneTypes.clear();
    for (int row = 0; row < m_phoneTypes->count(); ++row) {
        if (m_phoneTypes->item(row)->isSelected())
            preferences.phoneTypes.push_back(keyguide::kFirstPhoneType + row);
    }
    preferences.userName = m_userName->text().toStdU16String();
    preferences.language = static_cast<LanguageChoice>(m_language->currentIndex());
    return preferences;
}

void SettingsDialog::resetTab(int tab) {
    Preferences shown = preferences();
    shown.resetTab(tab);
    setPreferences(shown);
    // The reset voice is heard at once, as a chosen one is.
    if (tab == 0)
        m_midi.sendShortMessage(sound::programChangeMessage(m_soundTab->voiceProgram()));
}

void SettingsDialog::selectAllTypes(bool selected) {
    for (int row = 0; row < m_phoneTypes->count(); ++row)
        m_phoneTypes->item(row)->setSelected(selected);
}

void SettingsDialog::accept() {
    m_soundTab->stopTestScale();
    const Preferences chosen = preferences();
    if (const auto error = preferencesError(chosen)) {
        m_ui.showMessage(*error);
        m_tabs->setCurrentIndex(3);
        return;
    }
    if (m_file) {
        const std::string error = m_file->savePreferences(chosen);
        if (!error.empty()) {
            m_ui.showMessage(u"設定を保存できませんでした。\n" +
                             QString::fromStdString(error).toStdU16String());
            return;
        }
    }
    m_loaded = chosen;
    m_saved = true;
    QDialog::accept();
}

void SettingsDialog::reject() {
    m_soundTab->stopTestScale();
    if (m_soundTab->voiceProgram() != m_openedVoice)
        m_midi.sendShortMessage(sound::programChangeMessage(m_openedVoice));
    QDialog::reject();
}

} // namespace sarvo::settings
