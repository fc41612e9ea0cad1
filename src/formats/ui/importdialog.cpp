#include "formats/ui/importdialog.h"

#include "common/ui/coretext.h"

#include "formats/lenienttext.h"
#include "keyguide/phonetypes.h"
#include "melody/notefont.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace sarvo::formats {
namespace {

constexpr int kMidiOption = 5;

QString text(std::u16string_view s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

std::filesystem::path pathOf(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

// "MIDIﾌｧｲﾙ(*.MID) (*.mid)": each filter's name with its pattern, as the file dialog takes them.
QString fileFilter(const ImportOption& option) {
    QStringList filters;
    for (const auto& [name, pattern] : option.filters)
        filters << ui::coreText(name) + QStringLiteral(" (") + text(pattern) + QLatin1Char(')');
    return filters.join(QStringLiteral(";;"));
}

} // namespace

ImportDialog::ImportDialog(IInteractive& ui, QWidget* parent)
    : QDialog(parent)
    , m_ui(ui) {
    setObjectName(QStringLiteral("dlgImport"));
    setWindowTitle(tr("インポート"));
    setModal(true);
    setMinimumWidth(620);

    auto* optionBox = new QGroupBox(tr("インポートするデータ"), this);
    auto* optionLayout = new QVBoxLayout(optionBox);
    auto* group = new QButtonGroup(this);
    for (const ImportOption& option : importOptions()) {
        auto* button = new QRadioButton(ui::coreText(option.caption), optionBox);
        button->setObjectName(QStringLiteral("opt%1").arg(m_options.size()));
        group->addButton(button);
        optionLayout->addWidget(button);
        m_options.push_back(button);
    }
    m_options.front()->setChecked(true);
    m_phoneType = new QComboBox(optionBox);
    m_phoneType->setObjectName(QStringLiteral("cmb"));
    for (const keyguide::PhoneType& type : keyguide::phoneTypes())
        m_phoneType->addItem(text(type.listLabel), type.index);
    m_phoneType->setMinimumContentsLength(30);
    m_phoneType->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    optionLayout->addWidget(m_phoneType);
    optionLayout->addWidget(new QLabel(
        tr("注) １携帯電話の着信音入力操作手順 → 対応全機種への反映"), optionBox));

    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("txtFPath"));
    m_path->setToolTip(tr("曲名を入力してください。"));
    auto* look = new QPushButton(tr("参照(&L)..."), this);
    look->setObjectName(QStringLiteral("cmdLook"));

    m_midiGroup = new QGroupBox(tr("メロディーにするトラック・チャンネル"), this);
    m_midiVoices = new QTreeWidget(m_midiGroup);
    m_midiVoices->setObjectName(QStringLiteral("lvwMidi"));
    m_midiVoices->setHeaderLabels({tr("トラック"), tr("チャンネル"),
                                   tr("音符数"), tr("音域"),
                                   tr("名前")});
    m_midiVoices->setRootIsDecorated(false);
    m_midiVoices->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_midiVoices->setMinimumHeight(100);
    m_preview = new QPlainTextEdit(m_midiGroup);
    m_preview->setObjectName(QStringLiteral("txtPreview"));
    m_preview->setReadOnly(true);
    m_preview->setFont(melody::melodyTextFont(12, true));
    m_preview->setMaximumHeight(64);
    auto* midiLayout = new QVBoxLayout(m_midiGroup);
    midiLayout->addWidget(m_midiVoices);
    midiLayout->addWidget(new QLabel(tr("プレビュー："), m_midiGroup));
    midiLayout->addWidget(m_preview);

    auto* load = new QPushButton(tr("インポート(&I)"), this);
    load->setObjectName(QStringLiteral("cmdLoad"));
    load->setToolTip(tr("選択している曲を読み込みます。"));
    load->setDefault(true);
    auto* close = new QPushButton(tr("閉じる(&Q)"), this);
    close->setObjectName(QStringLiteral("cmdEnd"));

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(new QLabel(tr("ファイル："), this));
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(look);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(tr("現在のところSarvo で作成したデータのみ"), this),
                       1);
    buttons->addWidget(load);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(optionBox);
    layout->addLayout(pathRow);
    layout->addWidget(m_midiGroup, 1);
    layout->addLayout(buttons);

    connect(group, &QButtonGroup::buttonToggled, this, &ImportDialog::optionChosen);
    connect(look, &QPushButton::clicked, this, &ImportDialog::browse);
    connect(load, &QPushButton::clicked, this, &ImportDialog::importFile);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_path, &QLineEdit::editingFinished, this, &ImportDialog::listMidiVoices);
    connect(m_midiVoices, &QTreeWidget::currentItemChanged, this, &ImportDialog::previewMidiVoice);
    optionChosen();
}

void ImportDialog::choose(int option, int typeIndex) {
    m_options.at(static_cast<size_t>(option))->setChecked(true);
    const int row = m_phoneType->findData(typeIndex);
    if (row >= 0)
        m_phoneType->setCurrentIndex(row);
}

ImportRequest ImportDialog::request() const {
    ImportRequest request;
    for (size_t option = 0; option < m_options.size(); ++option) {
        if (m_options[option]->isChecked())
            request.option = static_cast<int>(option);
    }
    request.path = pathOf(m_path->text());
    request.typeIndex = m_phoneType->currentData().toInt();
    // The first row is the automatic choice; the others name their track and channel.
    if (QTreeWidgetItem* item = m_midiVoices->currentItem();
        item && m_midiVoices->indexOfTopLevelItem(item) > 0)
        request.midiVoice = {item->data(0, Qt::UserRole).toInt(),
                             item->data(1, Qt::UserRole).toInt()};
    return request;
}

void ImportDialog::setPath(const std::filesystem::path& path) {
    m_path->setText(QString::fromStdU16String(path.u16string()));
    listMidiVoices();
}

void ImportDialog::optionChosen() {
    const int option = request().option;
    m_phoneType->setEnabled(option == 0);
    m_midiGroup->setVisible(option == kMidiOption);
    if (option == kMidiOption)
        listMidiVoices();
}

void ImportDialog::browse() {
    const ImportOption& option = importOptions()[static_cast<size_t>(request().option)];
    const QString chosen = QFileDialog::getOpenFileName(this, tr("ファイルを開く"),
                                                        m_path->text(), fileFilter(option));
    if (chosen.isEmpty())
        return;
    m_path->setText(chosen);
    listMidiVoices();
}

void ImportDialog::importFile() {
    if (m_path->text().trimmed().isEmpty()) {
        m_ui.showMessage(u"インポートするファイル名を正しく入力して下さい。");
        return;
    }
    if (m_importer && m_importer(request()))
        accept();
}

void ImportDialog::listMidiVoices() {
    m_midiVoices->clear();
    m_preview->clear();
    if (request().option != kMidiOption || m_path->text().isEmpty())
        return;
    const MidiVoices listed = midiVoices(pathOf(m_path->text()));
    if (!listed.error.empty()) {
        m_preview->setPlainText(QString::fromStdString(listed.error));
        return;
    }
    QString automatic = tr("自動");
    if (listed.automatic >= 0) {
        const sound::MidiVoice& chosen = listed.voices[static_cast<size_t>(listed.automatic)];
        automatic += tr("（トラック %1 チャンネル %2）")
                         .arg(chosen.track + 1)
                         .arg(chosen.channel + 1);
    }
    auto* first = new QTreeWidgetItem(m_midiVoices, {automatic});
    first->setFirstColumnSpanned(true);
    for (const sound::MidiVoice& voice : listed.voices) {
        auto* row = new QTreeWidgetItem(
            m_midiVoices,
            {QString::number(voice.track + 1), QString::number(voice.channel + 1),
             QString::number(voice.noteCount),
             QStringLiteral("%1–%2").arg(voice.lowest).arg(voice.highest),
             voice.drums() ? tr("ドラム") : text(fromCp932Lenient(voice.name))});
        row->setData(0, Qt::UserRole, voice.track);
        row->setData(1, Qt::UserRole, voice.channel);
        row->setDisabled(voice.drums());
    }
    m_midiVoices->setCurrentItem(first);
}

void ImportDialog::previewMidiVoice() {
    if (!m_midiVoices->currentItem())
        return;
    const ImportedFile read = readImport(request());
    m_preview->setPlainText(read.error.empty() ? text(read.melody) : ui::coreText(read.error));
}

} // namespace sarvo::formats
